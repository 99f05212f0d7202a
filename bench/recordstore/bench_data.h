#pragma once
// The generated bases the record-store benchmarks run on, built once and kept in the build
// folder (or in $MERI_BENCH_DATA) so that reruns start at once:
//  - the large base: 500 associations, each with 2,000 accounts, 20 activities and 10
//    establishments, on the engine;
//  - the same data in plain relational tables of a SQLite file, with the indexes a developer
//    would write by hand: the floor each engine figure is compared with;
//  - a base of 20,000 files, for the opening time.

#include <string>
#include <vector>

namespace bench {

inline constexpr int kAssociations = 500;
inline constexpr int kAccountsPerAssociation = 2000;
inline constexpr int kActivitiesPerAssociation = 20;
inline constexpr int kEstablishmentsPerAssociation = 10;
inline constexpr int kManyFiles = 20000;

// Where the generated bases live; created when missing.
std::string DataFolder();

// Each returns the path of its base, generating it first when it is missing or was left
// unfinished. Generation prints its progress to stderr.
std::string LargeBase();
std::string LargeFloor();
std::string ManyFilesBase();

// "001" ... "500".
std::string AssociationCode(int index);

// Account ids of the large base spread over every association, always the same.
std::vector<std::string> SampleAccountIds(int count);

}  // namespace bench
