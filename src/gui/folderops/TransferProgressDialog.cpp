#include "gui/folderops/TransferProgressDialog.h"

#include "core/AppState.h"
#include "gui/platform/Prompter.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString captionKey(TransferMode mode)
{
    switch (mode) {
    case TransferMode::Copy:
        return QStringLiteral("CaptionCopy");
    case TransferMode::Move:
        return QStringLiteral("CaptionMove");
    case TransferMode::Trash:
        return QStringLiteral("CaptionTrash");
    case TransferMode::Delete:
        break;
    }
    return QStringLiteral("CaptionDelete");
}

} // namespace

TransferProgressDialog::TransferProgressDialog(const AppState& state, Prompter& prompter, FolderTransfer& transfer,
                                               TransferMode mode, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_transfer(transfer)
{
    setObjectName(formName());
    setWindowModality(Qt::ApplicationModal);
    const QString section = formName();

    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("lblCurrent"));
    m_current->setTextFormat(Qt::PlainText);
    m_current->setMinimumWidth(420);
    m_current->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("prgTransfer"));
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_items = new QLabel(this);
    m_items->setObjectName(QStringLiteral("lblItems"));
    m_bytes = new QLabel(this);
    m_bytes->setObjectName(QStringLiteral("lblBytes"));

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cancel, &QPushButton::clicked, this, &TransferProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_current);
    layout->addWidget(m_bar);
    layout->addWidget(m_items);
    layout->addWidget(m_bytes);
    layout->addLayout(buttons);

    TranslateForm(state.language, this, section);
    setWindowTitle(state.language.GetLngText(section, captionKey(mode)));
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    FitDialogSize(this);

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TransferProgressDialog::showProgress);
    showProgress();
}

TransferProgressDialog::~TransferProgressDialog()
{
    if (m_worker) {
        m_transfer.cancel();
        m_worker->wait();
    }
}

TransferReport TransferProgressDialog::run()
{
    FolderTransfer::Hooks hooks;
    hooks.progress = [this](const TransferProgress& progress) { report(progress); };
    hooks.conflict = [this](const QString& target) {
        ConflictAnswer answer = ConflictAnswer::Cancel;
        static_cast<void>(QMetaObject::invokeMethod(
            this, [&] { answer = askConflict(target); }, Qt::BlockingQueuedConnection));
        return answer;
    };
    QEventLoop loop;
    m_worker = QThread::create([this, hooks] { m_report = m_transfer.run(hooks); });
    connect(m_worker, &QThread::finished, &loop, &QEventLoop::quit);
    m_timer->start();
    show();
    m_worker->start();
    loop.exec();
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_timer->stop();
    showProgress();
    hide();
    return m_report;
}

void TransferProgressDialog::reject()
{
    // The window stays until the worker has stopped: only then is the disk in a known state.
    m_transfer.cancel();
    if (!m_worker)
        QDialog::reject();
}

ConflictAnswer TransferProgressDialog::askConflict(const QString& target)
{
    const Prompter::Button answer =
        m_prompter.ask(m_state.message(QStringLiteral("msgTargetExists"),
                                       {QLatin1Char('"') + target + QLatin1Char('"'), QStringLiteral("\n\n")}),
                       m_state.message(QStringLiteral("msgCapAttention")),
                       Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Yes);
    return answer == Prompter::Yes  ? ConflictAnswer::Skip
           : answer == Prompter::No ? ConflictAnswer::SkipAll
                                    : ConflictAnswer::Cancel;
}

void TransferProgressDialog::report(const TransferProgress& progress)
{
    const QMutexLocker lock(&m_mutex);
    m_latest = progress;
}

void TransferProgressDialog::showProgress()
{
    TransferProgress p;
    {
        const QMutexLocker lock(&m_mutex);
        p = m_latest;
    }
    const QString section = formName();
    const QLocale locale;
    m_current->setText(p.current);
    m_items->setText(m_state.language.GetLngText(section, QStringLiteral("Items"),
                                                 {locale.toString(p.itemsDone), locale.toString(p.itemsTotal)}));
    m_bytes->setText(
        m_state.language.GetLngText(section, QStringLiteral("Bytes"),
                                    {locale.formattedDataSize(p.bytesDone), locale.formattedDataSize(p.bytesTotal)}));
    // Bytes say best how far a copy is; a tree of empty folders has only its entries.
    const double share = p.bytesTotal > 0   ? static_cast<double>(p.bytesDone) / static_cast<double>(p.bytesTotal)
                         : p.itemsTotal > 0 ? static_cast<double>(p.itemsDone) / static_cast<double>(p.itemsTotal)
                                            : 0.0;
    m_bar->setValue(static_cast<int>(share * 1000.0));
}
