#include "core/rename/RenameRun.h"

RenameRun::RenameRun(AppState& state, PreviewList& list, int applyTo, StatusSink status)
    : state(state)
    , list(list)
    , applyTo(applyTo)
    , selected(list.selectedRows())
    , status(std::move(status))
{}

int RenameRun::targetCount() const
{
    int count = 0;
    for (int row = 0; row < list.size(); ++row)
        count += admits(row) ? 1 : 0;
    return count;
}

void RenameRun::progress(int number) const
{
    if (!status)
        return;
    const int total = list.size();
    if (number != 1 && number != total && number % 1000 != 0)
        return;
    status(SubstituteArgs(state.statusText(6), {QString::number(number), QString::number(total)}));
}
