#include "core/rename/RenameSteps.h"

#include "core/rename/CaseParams.h"
#include "core/rename/DateTimeParams.h"
#include "core/rename/FolderExtensionParams.h"
#include "core/rename/InsertParams.h"
#include "core/rename/MoveParams.h"
#include "core/rename/NumberingParams.h"
#include "core/rename/PrefixSuffixParams.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenumberParams.h"
#include "core/rename/ReplaceParams.h"
#include "core/rename/TrimParams.h"
#include "core/script/DialogValues.h"

#include <array>

namespace RenameSteps {

namespace {

using StepFunction = void (*)(const DialogValues&, RenameRun&);
using CheckFunction = QString (*)(const DialogValues&);

struct StepType
{
    const char16_t* formName;
    StepFunction apply;            // null while the function is not built
    CheckFunction check = nullptr; // the key of a value the function refuses; null when it takes any
    bool readsTimes = false;       // of the entries
};

// Each function reads its values exactly as its dialog's Apply does, through its Params.
template <typename Params, void (*Apply)(RenameRun&, const Params&)>
void runStep(const DialogValues& values, RenameRun& run)
{
    Apply(run, Params::fromValues(values));
}

// Indexed by type number - 1. Each rename function registers its Params::fromValues + apply here.
const std::array<StepType, 10> kTypes{{
    {u"frmNumber", &runStep<NumberingParams, &applyNumbering>},
    {u"frmRenumber", &runStep<RenumberParams, &applyRenumbering>},
    {u"frmFolderExtension", &runStep<FolderExtensionParams, &applyFolderExtension>},
    {u"frmULCase", &runStep<CaseParams, &applyCase>},
    {u"frmPrefixSuffix", &runStep<PrefixSuffixParams, &applyPrefixSuffix>},
    {u"frmReplace", &runStep<ReplaceParams, &applyReplace>, &ReplaceParams::refusedKey},
    {u"frmInsert", &runStep<InsertParams, &applyInsert>, &InsertParams::refusedKey},
    {u"frmMove", &runStep<MoveParams, &applyMove>, &MoveParams::refusedKey},
    {u"frmDateTime", &runStep<DateTimeParams, &applyDateTime>, nullptr, true},
    {u"frmTrim", &runStep<TrimParams, &applyTrim>, &TrimParams::refusedKey},
}};

const StepType* typeOf(int type)
{
    return type >= 1 && type <= static_cast<int>(kTypes.size()) ? &kTypes[static_cast<size_t>(type - 1)] : nullptr;
}

} // namespace

bool available(int type)
{
    const StepType* t = typeOf(type);
    return t && t->apply;
}

bool run(int type, const DialogValues& values, RenameRun& run)
{
    const StepType* t = typeOf(type);
    if (!t || !t->apply)
        return false;
    t->apply(values, run);
    return true;
}

QString refusedKey(int type, const DialogValues& values)
{
    const StepType* t = typeOf(type);
    return t && t->check ? t->check(values) : QString();
}

bool readsTimes(int type)
{
    const StepType* t = typeOf(type);
    return t && t->readsTimes;
}

QString formName(int type)
{
    const StepType* t = typeOf(type);
    return t ? QString::fromUtf16(t->formName) : QString();
}

} // namespace RenameSteps
