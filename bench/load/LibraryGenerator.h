#pragma once
#include <string>

// A synthetic process library of `items` items in the document schema, with
// the reuse real libraries show: a few hundred vendors, install directories
// of one and two levels, installer and updater names shared by many groups,
// groups of one to three items, and some -1 paths. Deterministic per size.
std::string GenerateLibrary(int items);
