// The record contract: 1-based positions, created positions, counts, insert and delete shifts.
#include <gtest/gtest.h>

#include "store/record.h"
#include "store/request.h"

namespace {

const std::string FM = "\xFE", VM = "\xFD", SM = "\xFC";

TEST(Record, ReadsWholeAttributeAndValue) {
    store::Record r("A" + FM + "B1" + VM + "B2" + FM + "C");
    EXPECT_EQ(r.Value(1), "A");
    EXPECT_EQ(r.Value(2), "B1" + VM + "B2");
    EXPECT_EQ(r.Value(2, 2), "B2");
    EXPECT_EQ(r.Value(2, 3), "");
    EXPECT_EQ(r.Value(9), "");
    EXPECT_EQ(r.DCount(), 3);
    EXPECT_EQ(r.DCount(2), 2);
    EXPECT_EQ(r.DCount(9), 0);
    EXPECT_EQ(store::Record().DCount(), 0);
}

TEST(Record, WritesCreateMissingPositions) {
    store::Record r;
    r.SetValue(3, 2, "x");
    EXPECT_EQ(r.Text(), FM + FM + VM + "x");
    r.SetValue(1, "é");
    EXPECT_EQ(r.Text(), "é" + FM + FM + VM + "x");
    r.SetValue(3, "whole");
    EXPECT_EQ(r.Value(3), "whole");
    EXPECT_EQ(r.DCount(), 3);
}

TEST(Record, InsertMovesLaterValuesUp) {
    store::Record r("a" + VM + "c");
    r.Insert(1, 2, "b");
    EXPECT_EQ(r.Value(1), "a" + VM + "b" + VM + "c");
    r.Insert(1, 1, "0");
    EXPECT_EQ(r.Value(1, 1), "0");
    EXPECT_EQ(r.DCount(1), 4);
    store::Record empty;
    empty.Insert(2, 1, "x");
    EXPECT_EQ(empty.Text(), FM + "x");
}

TEST(Record, DeleteMovesLaterOnesDown) {
    store::Record r("a" + FM + "b1" + VM + "b2" + VM + "b3" + FM + "c");
    r.Delete(2, 2);
    EXPECT_EQ(r.Value(2), "b1" + VM + "b3");
    r.Delete(1);
    EXPECT_EQ(r.Value(1), "b1" + VM + "b3");
    EXPECT_EQ(r.Value(2), "c");
    r.Delete(2);
    EXPECT_EQ(r.Text(), "b1" + VM + "b3");
    r.Delete(5);  // missing: nothing happens
    r.Delete(1, 9);
    EXPECT_EQ(r.DCount(), 1);
    r.Delete(1, 1);
    r.Delete(1, 1);
    EXPECT_EQ(r.Text(), "");
}

TEST(Request, ValuesNeverWidenTheSelection) {
    EXPECT_EQ(store::QuoteValue("ADMR", true), "\"ADMR]\"");
    EXPECT_EQ(store::QuoteValue("L\"ETOILE", true), "'L\"ETOILE]'");
    EXPECT_EQ(store::QuoteValue("L\"E'T", true), "\\L\"E'T]\\");
    EXPECT_EQ(store::QuoteValue("A\"B'C\\D", true), std::nullopt);
    EXPECT_EQ(store::QuoteValue("[ABC", true), std::nullopt);
    EXPECT_EQ(store::QuoteValue("ABC]", false), std::nullopt);
    EXPECT_EQ(store::QuoteValue("ABC]", true), "\"ABC]]\"");
    for (const std::string& mark : {FM, VM, SM}) {
        EXPECT_EQ(store::QuoteValue("A" + mark + "B", true), std::nullopt) << "no value holds it";
        EXPECT_EQ(store::UnquotableMessage("A" + mark + "B"),
                  "Le texte recherché contient un caractère de séparation de la base (octet FE, "
                  "FD ou FC) : aucune valeur ne peut le contenir.");
    }
    EXPECT_EQ(store::MakeRequest("SSELECT X", "X", "0 1"), "SSELECT X" + FM + "X" + FM + "0 1");
    EXPECT_EQ(store::MakeRequest("DATE.FORMAT"), "DATE.FORMAT");
}

}  // namespace
