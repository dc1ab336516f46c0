#include "core/settings/OptionsValues.h"

#include "core/settings/Settings.h"

namespace {

using K = Settings::Key;
constexpr std::array<K, 3> kConfirmKeys{K::ConfirmUndo, K::ConfirmTake, K::ConfirmReject};

} // namespace

OptionsValues OptionsValues::fromSettings(const Settings& settings)
{
    OptionsValues v;
    v.languageName = settings.text(K::Language);
    v.saveSettings = settings.flag(K::SaveDialogSettings);
    v.protocolRenames = settings.flag(K::ProtocolRenames);
    for (size_t i = 0; i < kConfirmKeys.size(); ++i)
        v.confirm[i] = settings.flag(kConfirmKeys[i]);
    v.expertMode = settings.flag(K::ExpertMode);
    v.backColor = settings.number(K::BackColor);
    v.foreColor = settings.number(K::ForeColor);
    v.filters = LoadFilters(settings.document());
    return v;
}

void OptionsValues::applyTo(Settings& settings) const
{
    settings.setText(K::Language, languageName);
    settings.setFlag(K::SaveDialogSettings, saveSettings);
    settings.setFlag(K::ProtocolRenames, protocolRenames);
    for (size_t i = 0; i < kConfirmKeys.size(); ++i)
        settings.setFlag(kConfirmKeys[i], confirm[i]);
    settings.setFlag(K::ExpertMode, expertMode);
    settings.setNumber(K::BackColor, backColor);
    settings.setNumber(K::ForeColor, foreColor);
    SaveFilters(settings.document(), filters);
}
