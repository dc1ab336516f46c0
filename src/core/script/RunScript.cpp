#include "core/script/RunScript.h"

ScriptRunReport RunScript(const BatchScript& script, int runMode, const ScriptRunHooks& hooks)
{
    ScriptRunReport report;
    if (runMode != 1 && runMode != 2)
        return report;
    const QList<BatchScript::Step>& steps = script.steps();
    for (int done = 0; done < steps.size(); ++done) {
        const BatchScript::Step& step = steps.at(done);
        if (hooks.proceed && !hooks.proceed(done, static_cast<int>(steps.size()))) {
            report.end = ScriptRunReport::End::Cancelled;
            report.lastStep = step.number;
            return report;
        }
        switch (hooks.openStep(step)) {
        case StepEnd::Applied:
            ++report.applied;
            break;
        case StepEnd::Refused:
            if (runMode == 1) {
                report.end = ScriptRunReport::End::Stopped;
                report.lastStep = step.number;
                return report;
            }
            ++report.skipped;
            break;
        case StepEnd::Cancelled:
        case StepEnd::NoDialog:
            ++report.skipped;
            break;
        }
    }
    return report;
}
