#include "gui/mainwindow/AssistantDialog.h"

#include "core/AppState.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/Twips.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QAction>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmAssistant");

// The gradient from a deep blue to white that the guiding windows share.
constexpr int kTopColour = 12936202;
constexpr int kBottomColour = 16777215;

QCommandLinkButton* linkButton(QWidget* parent, const QString& name)
{
    auto* button = NamedWidget<QCommandLinkButton>(parent, name);
    button->setProperty("tag", kForm);
    // A caption of its own and no picture: a pictured button without a caption would take its text as a
    // tool tip only; the pictures stand beside them as buttons of their own.
    button->setText(name);
    button->setIcon(QIcon());
    return button;
}

QToolButton* pictureButton(QWidget* parent, const QString& name, const QString& picture)
{
    auto* button = NamedWidget<QToolButton>(parent, name);
    button->setProperty("tag", kForm);
    button->setIcon(MainImageList::image(picture));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    return button;
}

QLabel* wrappedLabel(QWidget* parent, const QString& name)
{
    auto* label = NamedWidget<QLabel>(parent, name);
    label->setWordWrap(true);
    return label;
}

} // namespace

AssistantDialog::AssistantDialog(AppState& state, MainWindow& window)
    : QDialog(&window, Qt::Tool)
    , m_state(state)
    , m_window(window)
{
    setObjectName(kForm);
    setModal(false);
    setAttribute(Qt::WA_StyledBackground, false);

    m_pages = NamedWidget<QStackedWidget>(this, QStringLiteral("pages"));
    m_pages->addWidget(buildOpenPage());
    m_pages->addWidget(buildRenamePage());
    m_pages->addWidget(buildTakePage());
    m_back = NamedWidget<QPushButton>(this, QStringLiteral("cmdBack"));
    m_next = NamedWidget<QPushButton>(this, QStringLiteral("cmdNext"));
    for (QPushButton* b : {m_back, m_next})
        b->setAutoDefault(false);
    connect(m_back, &QPushButton::clicked, this, [this] { setStep(AssistantSteps::Step(m_step - 1)); });
    connect(m_next, &QPushButton::clicked, this, [this] { setStep(AssistantSteps::Step(m_step + 1)); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildIndicator());
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    ConnectHelp(this, state, window.prompter());

    retranslate();
    setStep(AssistantSteps::firstStep(!m_window.list().isEmpty()));
    resize(sizeHint().expandedTo(QSize(360, 300)));
}

QWidget* AssistantDialog::buildIndicator()
{
    auto* indicator = NamedWidget<QWidget>(this, QStringLiteral("picSteps"));
    auto* grid = new QGridLayout(indicator);
    for (int i = 0; i < 3; ++i) {
        auto* marker = NamedWidget<QLabel>(indicator, QStringLiteral("shpStep(%1)").arg(i));
        marker->setText(QString::number(i + 1));
        marker->setAlignment(Qt::AlignCenter);
        marker->setFixedSize(26, 26);
        m_markers.at(static_cast<size_t>(i)) = marker;
        auto* label = NamedWidget<QLabel>(indicator, QStringLiteral("lblStep(%1)").arg(i));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        // Room for two lines in bold type, so that marking the step never cuts its label.
        QFont bold = label->font();
        bold.setBold(true);
        label->setMinimumHeight(2 * QFontMetrics(bold).lineSpacing());
        m_stepLabels.at(static_cast<size_t>(i)) = label;
        grid->addWidget(marker, 0, i, Qt::AlignHCenter);
        grid->addWidget(label, 1, i);
        grid->setColumnStretch(i, 1);
    }
    return indicator;
}

QWidget* AssistantDialog::buildOpenPage()
{
    auto* page = new QWidget(this);
    QCommandLinkButton* open = linkButton(page, QStringLiteral("lblOpenFiles"));
    connect(open, &QCommandLinkButton::clicked, this, &AssistantDialog::openFolders);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(open);
    layout->addStretch(1);
    return page;
}

QWidget* AssistantDialog::buildRenamePage()
{
    auto* page = new QWidget(this);
    m_actions = NamedWidget<QComboBox>(page, QStringLiteral("cmbAction"));
    for (int i = 0; i < AssistantSteps::kActionCount; ++i)
        m_actions->addItem(QString());
    m_ok = NamedWidget<QPushButton>(page, QStringLiteral("cmdOK"));
    m_ok->setAutoDefault(false);
    connect(m_actions, &QComboBox::currentIndexChanged, this, &AssistantDialog::updateEnabling);
    connect(m_ok, &QPushButton::clicked, this, &AssistantDialog::runAction);
    auto* layout = new QVBoxLayout(page);
    QLabel* label = wrappedLabel(page, QStringLiteral("lblRenamingAction"));
    label->setBuddy(m_actions);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addWidget(m_actions, 1);
    row->addWidget(m_ok);
    layout->addLayout(row);
    layout->addStretch(1);
    return page;
}

QWidget* AssistantDialog::buildTakePage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const std::array<std::pair<const char*, CommandId>, 2> choices{
        {{"TakeChanges", CommandId::TakeAll}, {"RejectChanges", CommandId::RejectChanges}}};
    for (size_t i = 0; i < choices.size(); ++i) {
        const QString key = QLatin1String(choices[i].first);
        QToolButton* picture = pictureButton(page, QStringLiteral("img") + key, key);
        QCommandLinkButton* link = linkButton(page, QStringLiteral("lbl") + key);
        const CommandId command = choices[i].second;
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{picture, link})
            connect(b, &QAbstractButton::clicked, this, [this, command] { trigger(command); });
        m_takeControls.at(2 * i) = link;
        m_takeControls.at(2 * i + 1) = picture;
        grid->addWidget(picture, static_cast<int>(i), 0);
        grid->addWidget(link, static_cast<int>(i), 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

void AssistantDialog::retranslate()
{
    const int action = m_actions->currentIndex();
    TranslateForm(m_state.language, this);
    SetDialogButtons(this, m_state.language);
    // Translation refills the action list; the user's choice stays.
    if (action >= 0)
        m_actions->setCurrentIndex(action);
    setStep(m_step);
}

void AssistantDialog::setStep(AssistantSteps::Step step)
{
    m_step = std::clamp(step, AssistantSteps::OpenFolders, AssistantSteps::TakeOrReject);
    m_pages->setCurrentIndex(m_step - 1);
    for (size_t i = 0; i < m_markers.size(); ++i) {
        const bool current = static_cast<int>(i) == m_step - 1;
        QFont font = m_stepLabels[i]->font();
        font.setBold(current);
        m_stepLabels[i]->setFont(font);
        m_markers[i]->setFont(font);
        // The current step stands out in the gradient's deep blue with white type.
        m_markers[i]->setStyleSheet(current ? QStringLiteral("background:#0a64c5;color:white;border-radius:13px;")
                                            : QStringLiteral("background:white;color:#0a64c5;border-radius:13px;"
                                                             "border:1px solid #0a64c5;"));
        m_stepLabels[i]->setStyleSheet(current ? QStringLiteral("color:white;") : QStringLiteral("color:#dde8f6;"));
    }
    m_back->setVisible(m_step != AssistantSteps::OpenFolders);
    m_next->setVisible(m_step != AssistantSteps::TakeOrReject);
    updateEnabling();
    if (m_step == AssistantSteps::Rename)
        m_actions->setFocus();
}

void AssistantDialog::chooseAction(int action)
{
    m_actions->setCurrentIndex(action);
}

void AssistantDialog::runAction()
{
    const int action = m_actions->currentIndex();
    if (!AssistantSteps::actionUsable(action, m_window.enabledCommands()))
        return;
    if (const std::optional<CommandId> command = AssistantSteps::actionCommand(action))
        trigger(*command);
    else
        setStep(AssistantSteps::TakeOrReject);
}

void AssistantDialog::updateEnabling()
{
    const CommandSet& enabled = m_window.enabledCommands();
    const bool changes = contains(enabled, CommandId::TakeMenu);
    switch (m_step) {
    case AssistantSteps::OpenFolders:
        m_next->setEnabled(!m_window.list().isEmpty());
        break;
    case AssistantSteps::Rename:
        m_next->setEnabled(changes);
        m_ok->setEnabled(AssistantSteps::actionUsable(m_actions->currentIndex(), enabled));
        break;
    case AssistantSteps::TakeOrReject:
        for (QWidget* control : m_takeControls)
            control->setEnabled(changes);
        break;
    }
}

void AssistantDialog::openFolders()
{
    trigger(CommandId::OpenFolders);
    if (m_next->isEnabled())
        m_next->setFocus();
}

void AssistantDialog::trigger(CommandId id)
{
    if (QAction* item = m_window.ui().menuItem(id); item && item->isEnabled())
        item->trigger();
    updateEnabling();
}

void AssistantDialog::restorePosition()
{
    // Designed place: beside the main window's right edge, or at the screen's right edge when it does not fit.
    const QScreen* screen = m_window.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QRect main = m_window.frameGeometry();
    const int designedLeft = std::min(main.right() + 8, area.right() - width());
    const int designedTop = main.top();
    const int dpi = logicalDpiX();
    auto coordinate = [&](Settings::Key key, int designed, int extent, int screenExtent) {
        const int twips =
            AssistantSteps::restoredCoordinate(m_state.settings.number(key), PixelsToTwips(designed, dpi),
                                               PixelsToTwips(extent, dpi), PixelsToTwips(screenExtent, dpi));
        return TwipsToPixels(twips, dpi);
    };
    move(coordinate(Settings::Key::AssistantLeft, designedLeft, width(), area.width()),
         coordinate(Settings::Key::AssistantTop, designedTop, height(), area.height()));
}

void AssistantDialog::storePosition()
{
    const int dpi = logicalDpiX();
    m_state.settings.setNumber(Settings::Key::AssistantLeft, PixelsToTwips(pos().x(), dpi));
    m_state.settings.setNumber(Settings::Key::AssistantTop, PixelsToTwips(pos().y(), dpi));
}

void AssistantDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintGradient(this, painter, kTopColour, kBottomColour);
}

void AssistantDialog::reject()
{
    storePosition();
    QDialog::reject();
    Q_EMIT closedByUser();
}
