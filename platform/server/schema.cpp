#include "schema.h"

#include "platform/engine/error.h"
#include "platform/engine/transaction.h"

namespace mv::server {
namespace {

// Values are the parts of an attribute between value (0xFD) and subvalue (0xFC) marks; an empty
// attribute has one empty value.
constexpr const char* kSchema = R"sql(
CREATE SCHEMA mv;
CREATE TABLE mv.meta(key text PRIMARY KEY, value bigint NOT NULL);
CREATE TABLE mv.files(
    file_id bigserial PRIMARY KEY,
    name bytea NOT NULL UNIQUE,
    dict_of bigint,
    args bytea NOT NULL DEFAULT '');
CREATE TABLE mv.records(
    file_id bigint NOT NULL,
    id bytea NOT NULL,
    attrs bytea[] NOT NULL,
    PRIMARY KEY (file_id, id));
CREATE TABLE mv.indexes(
    index_id bigserial PRIMARY KEY,
    file_id bigint NOT NULL,
    field bytea NOT NULL,
    location int NOT NULL,
    id_prefix int NOT NULL DEFAULT 0,
    UNIQUE (file_id, location, id_prefix));
CREATE TABLE mv.index_entries(
    index_id bigint NOT NULL,
    key bytea NOT NULL,
    id bytea NOT NULL,
    pos int NOT NULL,
    PRIMARY KEY (index_id, key, id));
CREATE TABLE mv.history(
    file bytea NOT NULL,
    id bytea NOT NULL,
    sequence bigint NOT NULL,
    user_name bytea NOT NULL,
    changes bytea NOT NULL,
    PRIMARY KEY (file, id, sequence));
ALTER TABLE mv.records ALTER COLUMN attrs SET STORAGE MAIN;

-- Attribute n, empty when the record has fewer.
CREATE FUNCTION mv.attr(a bytea[], n int) RETURNS bytea LANGUAGE sql IMMUTABLE PARALLEL SAFE
    AS $$ SELECT coalesce(a[n], '\x'::bytea) $$;

-- The first value of an attribute.
CREATE FUNCTION mv.first(a bytea) RETURNS bytea LANGUAGE sql IMMUTABLE PARALLEL SAFE
    AS $$ SELECT substring(a FROM 1 FOR coalesce(least(nullif(position('\xfd'::bytea IN a), 0),
              nullif(position('\xfc'::bytea IN a), 0)) - 1, length(a))) $$;

-- The value of a decimal number (sign, digits, one point), NULL for any other text.
CREATE FUNCTION mv.num(v bytea) RETURNS numeric LANGUAGE sql IMMUTABLE PARALLEL SAFE
    AS $$ SELECT CASE WHEN length(v) BETWEEN 1 AND 200
              AND encode(v, 'escape') ~ '^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)$'
              THEN encode(v, 'escape')::numeric END $$;

CREATE FUNCTION mv.split_values(a bytea) RETURNS SETOF bytea LANGUAGE plpgsql IMMUTABLE
    PARALLEL SAFE AS $$
DECLARE
    rest bytea := a;
    p int;
    q int;
BEGIN
    LOOP
        p := position('\xfd'::bytea IN rest);
        q := position('\xfc'::bytea IN rest);
        IF p = 0 OR (q > 0 AND q < p) THEN
            p := q;
        END IF;
        IF p = 0 THEN
            RETURN NEXT rest;
            RETURN;
        END IF;
        RETURN NEXT substring(rest FROM 1 FOR p - 1);
        rest := substring(rest FROM p + 1);
    END LOOP;
END $$;

-- The entries of one record in an index: the whole attribute (pos 0), or each distinct value
-- (pos 1 for the first, 2 for the later ones), after the id's group when the index has one.
CREATE FUNCTION mv.keys(a bytea, rid bytea, prefix int) RETURNS TABLE(key bytea, pos int)
    LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
    grp bytea := '\x'::bytea;
BEGIN
    IF prefix > 0 THEN
        grp := substring(rid FROM 1 FOR prefix) || '\x00'::bytea;
    END IF;
    IF position('\xfd'::bytea IN a) = 0 AND position('\xfc'::bytea IN a) = 0 THEN
        RETURN QUERY SELECT grp || a, 0;
        RETURN;
    END IF;
    RETURN QUERY SELECT grp || s.v, CASE WHEN min(s.o) = 1 THEN 1 ELSE 2 END
        FROM mv.split_values(a) WITH ORDINALITY AS s(v, o) GROUP BY s.v;
END $$;

-- Conversions of virtual fields, as the embedded engine applies them.
CREATE FUNCTION mv.count_of(t bytea) RETURNS int LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN encode(t, 'escape') ~ '^[0-9]{1,9}$' THEN encode(t, 'escape')::int END $$;

CREATE FUNCTION mv.convert(conv bytea, val bytea) RETURNS bytea LANGUAGE plpgsql STABLE AS $$
DECLARE
    up text := upper(encode(conv, 'escape'));
    args bytea;
    comma int;
    m int;
    n int;
    parts bytea[];
    rest bytea;
    semi int;
    code text;
    attribute int;
    target bigint;
    found_attrs bytea[];
    result bytea := '\x'::bytea;
    v bytea;
    vals bytea := val;
    p int;
    first boolean := true;
BEGIN
    IF length(conv) = 0 THEN
        RETURN val;
    END IF;
    LOOP
        p := position('\xfd'::bytea IN vals);
        v := CASE WHEN p = 0 THEN vals ELSE substring(vals FROM 1 FOR p - 1) END;
        IF NOT first THEN
            result := result || '\xfd'::bytea;
        END IF;
        first := false;
        IF up = 'MCU' THEN
            result := result || decode(upper(encode(v, 'escape')), 'escape');
        ELSIF up = 'MCL' THEN
            result := result || decode(lower(encode(v, 'escape')), 'escape');
        ELSIF left(up, 1) = 'T' THEN
            args := substring(conv FROM 2);
            comma := position(','::bytea IN args);
            IF comma = 0 THEN
                m := mv.count_of(args);
                n := NULL;
            ELSE
                m := mv.count_of(substring(args FROM 1 FOR comma - 1));
                n := mv.count_of(substring(args FROM comma + 1));
            END IF;
            IF m IS NOT NULL AND comma = 0 THEN
                result := result || substring(v FROM 1 FOR m);
            ELSIF m IS NOT NULL AND n IS NOT NULL AND m >= 1 THEN
                IF m - 1 < length(v) THEN
                    result := result || substring(v FROM m FOR n);
                END IF;
            ELSE
                parts := ARRAY[]::bytea[];
                rest := args;
                LOOP
                    semi := position(';'::bytea IN rest);
                    IF semi = 0 THEN
                        parts := parts || rest;
                        EXIT;
                    END IF;
                    parts := parts || substring(rest FROM 1 FOR semi - 1);
                    rest := substring(rest FROM semi + 1);
                END LOOP;
                attribute := CASE WHEN cardinality(parts) = 4 THEN mv.count_of(parts[4]) END;
                code := CASE WHEN cardinality(parts) > 1 THEN upper(encode(parts[2], 'escape')) END;
                IF attribute IS NULL OR length(parts[1]) = 0 OR code IS NULL
                        OR code NOT IN ('X', 'C', 'V') THEN
                    RAISE EXCEPTION 'conversion' USING ERRCODE = 'MV001',
                        DETAIL = encode(conv, 'hex');
                END IF;
                IF length(v) > 0 THEN
                    SELECT file_id INTO target FROM mv.files WHERE name = parts[1];
                    IF NOT FOUND THEN
                        RAISE EXCEPTION 'translation' USING ERRCODE = 'MV005',
                            DETAIL = encode(parts[1], 'hex') || '|' || encode(conv, 'hex');
                    END IF;
                    found_attrs := NULL;
                    IF position('\xfe'::bytea IN v) = 0 AND position('\xfc'::bytea IN v) = 0 THEN
                        SELECT r.attrs INTO found_attrs FROM mv.records r
                            WHERE r.file_id = target AND r.id = v;
                    END IF;
                    IF found_attrs IS NOT NULL THEN
                        result := result || mv.attr(found_attrs, attribute);
                    ELSIF code = 'C' THEN
                        result := result || v;
                    END IF;
                END IF;
            END IF;
        ELSE
            RAISE EXCEPTION 'conversion' USING ERRCODE = 'MV001', DETAIL = encode(conv, 'hex');
        END IF;
        EXIT WHEN p = 0;
        vals := substring(vals FROM p + 1);
    END LOOP;
    RETURN result;
END $$;

CREATE FUNCTION mv.oconv(val bytea, convs bytea) RETURNS bytea LANGUAGE plpgsql STABLE AS $$
DECLARE
    rest bytea := convs;
    p int;
BEGIN
    LOOP
        p := position('\xfd'::bytea IN rest);
        val := mv.convert(CASE WHEN p = 0 THEN rest ELSE substring(rest FROM 1 FOR p - 1) END,
                          val);
        EXIT WHEN p = 0;
        rest := substring(rest FROM p + 1);
    END LOOP;
    RETURN val;
END $$;

-- The parts of a text between one mark (an empty text has one empty part).
CREATE FUNCTION mv.split(a bytea, mark bytea) RETURNS bytea[] LANGUAGE plpgsql IMMUTABLE
    PARALLEL SAFE AS $$
DECLARE
    parts bytea[] := ARRAY[]::bytea[];
    rest bytea := a;
    p int;
BEGIN
    LOOP
        p := position(mark IN rest);
        IF p = 0 THEN
            RETURN parts || rest;
        END IF;
        parts := parts || substring(rest FROM 1 FOR p - 1);
        rest := substring(rest FROM p + 1);
    END LOOP;
END $$;

-- The change set of a write, encoded as the embedded engine does (platform/engine/history.h):
-- one change per differing (attribute, value), "attribute FD value FD before FD after", changes
-- separated by FE; empty when no position differs.
CREATE FUNCTION mv.changes(old_attrs bytea[], new_attrs bytea[]) RETURNS bytea
    LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
    result bytea := '\x'::bytea;
    a int;
    v int;
    o bytea;
    w bytea;
    ov bytea[];
    nv bytea[];
    x bytea;
    y bytea;
BEGIN
    FOR a IN 1 .. greatest(coalesce(cardinality(old_attrs), 0),
                           coalesce(cardinality(new_attrs), 0)) LOOP
        o := mv.attr(old_attrs, a);
        w := mv.attr(new_attrs, a);
        CONTINUE WHEN o = w;
        ov := mv.split(o, '\xfd'::bytea);
        nv := mv.split(w, '\xfd'::bytea);
        FOR v IN 1 .. greatest(cardinality(ov), cardinality(nv)) LOOP
            x := coalesce(ov[v], '\x'::bytea);
            y := coalesce(nv[v], '\x'::bytea);
            CONTINUE WHEN x = y;
            IF length(result) > 0 THEN
                result := result || '\xfe'::bytea;
            END IF;
            result := result || convert_to(a::text, 'UTF8') || '\xfd'::bytea ||
                      convert_to(v::text, 'UTF8') || '\xfd'::bytea || x || '\xfd'::bytea || y;
        END LOOP;
    END LOOP;
    RETURN result;
END $$;

-- Adds the history entry of one write: none when no position changed, unless always (a
-- creation or a removal). The sequence is the time in microseconds, kept above the record's
-- previous entry whatever the clock does.
CREATE FUNCTION mv.add_history(fname bytea, rid bytea, old_attrs bytea[], new_attrs bytea[],
                               who bytea, always boolean) RETURNS void LANGUAGE plpgsql AS $$
DECLARE
    c bytea := mv.changes(old_attrs, new_attrs);
    seq bigint := (extract(epoch FROM clock_timestamp()) * 1000000)::bigint;
BEGIN
    IF length(c) = 0 AND NOT always THEN
        RETURN;
    END IF;
    seq := greatest(seq, coalesce((SELECT max(h.sequence) + 1 FROM mv.history h
                                   WHERE h.file = fname AND h.id = rid), seq));
    INSERT INTO mv.history(file, id, sequence, user_name, changes)
        VALUES (fname, rid, seq, who, c);
END $$;

-- Drops the session's update lock on a record once the current transaction ends: the lock is
-- held at transaction level until then, so nobody reads the record before the write shows.
CREATE FUNCTION mv.release(lock_key bigint) RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    IF pg_try_advisory_xact_lock(lock_key) THEN
        PERFORM pg_advisory_unlock(lock_key);
    END IF;
END $$;

CREATE FUNCTION mv.touch_catalog() RETURNS void LANGUAGE sql AS $$
    UPDATE mv.meta SET value = value + 1 WHERE key = 'catalog' $$;

-- Replaces the index entries of one record, from its old attributes to its new ones (NULL: no
-- record).
CREATE FUNCTION mv.reindex(f bigint, rid bytea, old_attrs bytea[], new_attrs bytea[])
    RETURNS void LANGUAGE plpgsql AS $$
DECLARE
    ix record;
BEGIN
    FOR ix IN SELECT index_id, location, id_prefix FROM mv.indexes WHERE file_id = f LOOP
        IF old_attrs IS NOT NULL AND new_attrs IS NOT NULL
                AND mv.attr(old_attrs, ix.location) = mv.attr(new_attrs, ix.location) THEN
            CONTINUE;
        END IF;
        IF old_attrs IS NOT NULL THEN
            DELETE FROM mv.index_entries e USING mv.keys(mv.attr(old_attrs, ix.location), rid,
                                                         ix.id_prefix) k
                WHERE e.index_id = ix.index_id AND e.key = k.key AND e.id = rid;
        END IF;
        IF new_attrs IS NOT NULL THEN
            INSERT INTO mv.index_entries(index_id, key, id, pos)
                SELECT ix.index_id, k.key, rid, k.pos
                FROM mv.keys(mv.attr(new_attrs, ix.location), rid, ix.id_prefix) k;
        END IF;
    END LOOP;
END $$;

-- One write: the record (created or replaced) with its index entries and history entry, in the
-- caller's transaction; the update lock (lock_key, when held) is dropped when that transaction
-- ends. 0: created, 1: replaced, 2: the same text, not written. With create_only an existing id
-- raises MV013 and changes nothing, the lock included.
CREATE FUNCTION mv.write(f bigint, rid bytea, new_attrs bytea[], lock_key bigint, who bytea,
                         create_only boolean) RETURNS int LANGUAGE plpgsql AS $$
DECLARE
    old_attrs bytea[];
    fname bytea;
    is_dict boolean;
    outcome int;
BEGIN
    SELECT name, dict_of IS NOT NULL INTO fname, is_dict FROM mv.files WHERE file_id = f
        FOR KEY SHARE;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'gone' USING ERRCODE = 'MV004';
    END IF;
    LOOP
        SELECT attrs INTO old_attrs FROM mv.records WHERE file_id = f AND id = rid FOR UPDATE;
        IF FOUND THEN
            IF create_only THEN
                RAISE EXCEPTION 'exists' USING ERRCODE = 'MV013';
            END IF;
            IF old_attrs = new_attrs THEN
                outcome := 2;
            ELSE
                UPDATE mv.records SET attrs = new_attrs WHERE file_id = f AND id = rid;
                outcome := 1;
            END IF;
            EXIT;
        END IF;
        INSERT INTO mv.records(file_id, id, attrs) VALUES (f, rid, new_attrs)
            ON CONFLICT DO NOTHING;
        IF FOUND THEN
            old_attrs := NULL;
            outcome := 0;
            EXIT;
        END IF;
    END LOOP;
    IF outcome < 2 THEN
        PERFORM mv.reindex(f, rid, old_attrs, new_attrs);
        PERFORM mv.add_history(fname, rid, old_attrs, new_attrs, who, outcome = 0);
        IF is_dict THEN
            PERFORM mv.touch_catalog();
        END IF;
    END IF;
    IF lock_key IS NOT NULL THEN
        PERFORM mv.release(lock_key);
    END IF;
    RETURN outcome;
END $$;

CREATE FUNCTION mv.delete(f bigint, rid bytea, lock_key bigint, who bytea) RETURNS void
    LANGUAGE plpgsql AS $$
DECLARE
    old_attrs bytea[];
    fname bytea;
    is_dict boolean;
BEGIN
    DELETE FROM mv.records WHERE file_id = f AND id = rid RETURNING attrs INTO old_attrs;
    IF FOUND THEN
        SELECT name, dict_of IS NOT NULL INTO fname, is_dict FROM mv.files WHERE file_id = f;
        PERFORM mv.reindex(f, rid, old_attrs, NULL);
        PERFORM mv.add_history(fname, rid, old_attrs, NULL, who, true);
        IF is_dict THEN
            PERFORM mv.touch_catalog();
        END IF;
    END IF;
    IF lock_key IS NOT NULL THEN
        PERFORM mv.release(lock_key);
    END IF;
END $$;

-- Creates a file and its dictionary; false when the name exists.
CREATE FUNCTION mv.create_file(fname bytea, fsizes bytea) RETURNS boolean
    LANGUAGE plpgsql AS $$
DECLARE
    f bigint;
BEGIN
    INSERT INTO mv.files(name, args) VALUES (fname, fsizes) ON CONFLICT DO NOTHING
        RETURNING file_id INTO f;
    IF f IS NULL THEN
        RETURN false;
    END IF;
    INSERT INTO mv.files(name, dict_of, args) VALUES ('DICT '::bytea || fname, f, fsizes);
    PERFORM mv.touch_catalog();
    RETURN true;
END $$;

CREATE FUNCTION mv.delete_file(data_id bigint) RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    DELETE FROM mv.index_entries WHERE index_id IN (SELECT index_id FROM mv.indexes i
        JOIN mv.files f ON f.file_id = i.file_id WHERE f.file_id = data_id OR f.dict_of = data_id);
    DELETE FROM mv.indexes WHERE file_id IN (SELECT file_id FROM mv.files
        WHERE file_id = data_id OR dict_of = data_id);
    DELETE FROM mv.records WHERE file_id IN (SELECT file_id FROM mv.files
        WHERE file_id = data_id OR dict_of = data_id);
    DELETE FROM mv.files WHERE file_id = data_id OR dict_of = data_id;
    PERFORM mv.touch_catalog();
END $$;

CREATE FUNCTION mv.build_index(ix bigint) RETURNS void LANGUAGE plpgsql AS $$
DECLARE
    d record;
BEGIN
    SELECT file_id, location, id_prefix INTO d FROM mv.indexes WHERE index_id = ix;
    DELETE FROM mv.index_entries WHERE index_id = ix;
    INSERT INTO mv.index_entries(index_id, key, id, pos)
        SELECT ix, k.key, r.id, k.pos FROM mv.records r,
            LATERAL mv.keys(mv.attr(r.attrs, d.location), r.id, d.id_prefix) k
        WHERE r.file_id = d.file_id;
END $$;

-- Creates and fills an index; NULL when the attribute has one with that id prefix already.
CREATE FUNCTION mv.create_index(f bigint, fname bytea, loc int, prefix int) RETURNS bigint
    LANGUAGE plpgsql AS $$
DECLARE
    ix bigint;
BEGIN
    INSERT INTO mv.indexes(file_id, field, location, id_prefix) VALUES (f, fname, loc, prefix)
        ON CONFLICT DO NOTHING RETURNING index_id INTO ix;
    IF ix IS NULL THEN
        RETURN NULL;
    END IF;
    PERFORM mv.build_index(ix);
    PERFORM mv.touch_catalog();
    RETURN ix;
END $$;

CREATE FUNCTION mv.delete_index(ix bigint) RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    DELETE FROM mv.index_entries WHERE index_id = ix;
    DELETE FROM mv.indexes WHERE index_id = ix;
    PERFORM mv.touch_catalog();
END $$;

-- A load: the rows staged by COPY create or replace their records (a row equal to its record
-- is left alone), with index entries and history entries. Gives the numbers created, replaced
-- and unchanged, and the first few replaced records (file name, id).
CREATE FUNCTION mv.load_staged(who bytea, OUT created bigint, OUT replaced bigint,
                               OUT unchanged bigint, OUT replaced_files bytea[],
                               OUT replaced_ids bytea[]) LANGUAGE plpgsql AS $$
BEGIN
    CREATE TEMP TABLE IF NOT EXISTS mv_loading(file_id bigint, id bytea, attrs bytea[],
        old_attrs bytea[], fname bytea) ON COMMIT DROP;
    TRUNCATE mv_loading;
    INSERT INTO mv_loading
        SELECT s.file_id, s.id, s.attrs, r.attrs, f.name FROM mv_staging s
        JOIN mv.files f ON f.file_id = s.file_id
        LEFT JOIN mv.records r ON r.file_id = s.file_id AND r.id = s.id;
    SELECT count(*) FILTER (WHERE old_attrs IS NULL),
           count(*) FILTER (WHERE old_attrs IS NOT NULL AND old_attrs <> attrs),
           count(*) FILTER (WHERE old_attrs = attrs)
        INTO created, replaced, unchanged FROM mv_loading;
    SELECT array_agg(fname), array_agg(id) INTO replaced_files, replaced_ids FROM (
        SELECT fname, id FROM mv_loading WHERE old_attrs <> attrs LIMIT 5) first_ones;
    DELETE FROM mv_loading WHERE old_attrs = attrs;
    DELETE FROM mv.index_entries e USING (
        SELECT i.index_id, k.key, l.id FROM mv_loading l
        JOIN mv.indexes i ON i.file_id = l.file_id,
        LATERAL mv.keys(mv.attr(l.old_attrs, i.location), l.id, i.id_prefix) k
        WHERE l.old_attrs IS NOT NULL) o
        WHERE e.index_id = o.index_id AND e.key = o.key AND e.id = o.id;
    INSERT INTO mv.records(file_id, id, attrs) SELECT file_id, id, attrs FROM mv_loading
        ON CONFLICT (file_id, id) DO UPDATE SET attrs = EXCLUDED.attrs;
    INSERT INTO mv.index_entries(index_id, key, id, pos)
        SELECT i.index_id, k.key, l.id, k.pos FROM mv_loading l
        JOIN mv.indexes i ON i.file_id = l.file_id,
        LATERAL mv.keys(mv.attr(l.attrs, i.location), l.id, i.id_prefix) k;
    PERFORM mv.add_history(fname, id, old_attrs, attrs, who, old_attrs IS NULL)
        FROM mv_loading;
    IF EXISTS (SELECT 1 FROM mv_loading l JOIN mv.files f ON f.file_id = l.file_id
               WHERE f.dict_of IS NOT NULL) THEN
        PERFORM mv.touch_catalog();
    END IF;
    TRUNCATE mv_staging;
END $$;

INSERT INTO mv.meta VALUES ('schema', 1), ('catalog', 1);
)sql";

}  // namespace

bool Prepare(pq::Connection& connection) {
    auto present = [&] {
        return connection.Run("SELECT to_regclass('mv.meta') IS NOT NULL").Int(0, 0) != 0;
    };
    auto checkVersion = [&] {
        pq::Result v = connection.Run("SELECT value FROM mv.meta WHERE key = 'schema'");
        if (v.Rows() != 1 || v.Int(0, 0) != kSchemaVersion) {
            throw Error(ErrorKind::Io,
                        "La base du serveur a été créée par une autre version du programme.");
        }
    };
    if (present()) {
        checkVersion();
        return false;
    }
    bool made = false;
    WithTransaction(connection, "BEGIN", [&] {
        // A concurrent preparer holds this until it commits; then the schema is there.
        connection.Exec("SELECT pg_advisory_xact_lock(1297499202)");
        if (present())
            return;
        connection.Exec(kSchema);
        made = true;
    });
    if (!made)
        checkVersion();
    return made;
}

}  // namespace mv::server
