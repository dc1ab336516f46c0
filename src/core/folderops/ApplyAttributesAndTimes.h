#pragma once

#include "core/folderops/AttributesParams.h"
#include "core/folderops/FolderChangeReport.h"

struct AppState;
class PreviewList;

// Changes the attributes and times of every entry, in list order, that the apply-to selector (0 all,
// 1 selected, 2 not selected) names. A folder's own times are read once, before anything of it changes,
// so one request can take a time that another request of the same run sets. A folder that fails goes
// into the report and the run goes on with the next. The list itself is not changed.
FolderChangeReport ApplyAttributesAndTimes(const AppState& state, const PreviewList& list, int applyTo,
                                           const AttributesParams& params);
