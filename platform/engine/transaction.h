#pragma once
// Transactions as both engines run them, whatever their connection (sql::Connection,
// pq::Connection): one piece of work kept only when it ends normally, and the nestable guard
// behind each engine's Database::Transaction.

#include <exception>
#include <string_view>

namespace mv {

// Begins with begin ("BEGIN", "BEGIN IMMEDIATE"), runs fn, commits; when anything throws, rolls
// back and throws again (a rollback that fails too is left to the connection).
template <typename Connection, typename Fn>
void WithTransaction(Connection& connection, std::string_view begin, Fn&& fn) {
    connection.Exec(begin);
    try {
        fn();
        connection.Exec("COMMIT");
    } catch (...) {
        try {
            connection.Exec("ROLLBACK");
        } catch (const std::exception&) {
        }
        throw;
    }
}

// Groups an engine's writes: everything since the guard was made is rolled back unless Commit
// is called. Guards nest: the outermost is a transaction, inner ones are savepoints. The engine
// (a friend) opens and closes the levels:
//   int BeginLevel()                        opens one, returns the depth it opened at;
//   void CommitLevel(int depth)             commits it (when this throws, it is still open);
//   void RollbackLevel(int depth)           rolls it back, never throwing;
//   void EndLevel(int depth, bool committed) once it is closed either way.
template <typename Engine>
class NestedTransaction {
  public:
    explicit NestedTransaction(Engine& engine) : engine_(engine), depth_(engine.BeginLevel()) {}
    ~NestedTransaction() {
        if (done_)
            return;
        engine_.RollbackLevel(depth_);
        engine_.EndLevel(depth_, false);
    }
    NestedTransaction(const NestedTransaction&) = delete;
    NestedTransaction& operator=(const NestedTransaction&) = delete;

    void Commit() {
        if (done_)
            return;
        engine_.CommitLevel(depth_);
        done_ = true;
        engine_.EndLevel(depth_, true);
    }

  private:
    Engine& engine_;
    int depth_;
    bool done_ = false;
};

}  // namespace mv
