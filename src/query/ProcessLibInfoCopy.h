#pragma once
#include "query/ProcessLibRecord.h"

#include <appatlas.h>

// A host-side copy of a record: one allocation holding the ProcessLibInfo
// and, behind it, every string with its terminator, so the host sees plain
// pointers and one call releases everything. Throws std::bad_alloc.
ProcessLibInfo* NewProcessLibInfo(const ProcessLibRecord& record);
void DeleteProcessLibInfo(ProcessLibInfo* info);
