#include "platform/ui/QtPlatform.h"

#include "platform/DC.h"
#include "platform/Strings.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtClipboard.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtDragDrop.h"
#include "platform/ui/QtPreviewWindow.h"
#include "platform/ui/QtPrintService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <map>

namespace {
// A box with several buttons and no Cancel (Yes/No, Abort/Retry/Ignore) must
// be answered with one of them: Esc and the close box do nothing, where Qt
// would otherwise pick No or Abort on the user's behalf.
class AnswerBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool m_mustAnswer = false;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (m_mustAnswer && event->matches(QKeySequence::Cancel)) return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (m_mustAnswer && clickedButton() == nullptr) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

QWidget* ModalParent()
{
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QMainWindow")) return w;
    return nullptr;
}

// The window a modeless dialog belongs to: its parent frame's main window,
// else the active one. As the window system has it, a window owned by a
// frame inside the main window is owned by the main window: it stays in
// front of it, and outlives the frame's own window.
QWidget* ModelessOwner(const CDialog& dialog)
{
    if (QtChildFrame* frame = QtChildFrameHost::WindowOf(dialog.GetParentFrame())) return frame->window();
    return ModalParent();
}
} // namespace

int QtMessageBoxHandler::Show(const QString& text, UINT style, const QString& detail)
{
    AnswerBox box(ModalParent());
    box.setWindowTitle(LoadStr(2));
    box.setText(text);
    if (!detail.isEmpty()) box.setDetailedText(detail);
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    static const std::map<int, std::pair<QMessageBox::StandardButton, QMessageBox::ButtonRole>> kButtons = {
        {IDOK, {QMessageBox::Ok, QMessageBox::AcceptRole}},
        {IDCANCEL, {QMessageBox::Cancel, QMessageBox::RejectRole}},
        {IDABORT, {QMessageBox::Abort, QMessageBox::RejectRole}},
        {IDRETRY, {QMessageBox::Retry, QMessageBox::AcceptRole}},
        {IDIGNORE, {QMessageBox::Ignore, QMessageBox::AcceptRole}},
        {IDYES, {QMessageBox::Yes, QMessageBox::YesRole}},
        {IDNO, {QMessageBox::No, QMessageBox::NoRole}},
    };
    const std::vector<int> results = MessageButtons(style);
    const bool hasCancel = std::find(results.begin(), results.end(), IDCANCEL) != results.end();
    box.m_mustAnswer = results.size() > 1 && !hasCancel;
    if (box.m_mustAnswer) box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    std::map<QAbstractButton*, int> resultOf;
    for (int result : results) {
        QAbstractButton* b = box.addButton(kButtons.at(result).first);
        resultOf[b] = result;
        if (result == DefaultMessageResult(style)) box.setDefaultButton(static_cast<QPushButton*>(b));
        // Esc answers Cancel where there is one, and OK in a box with OK alone.
        if (result == IDCANCEL || results.size() == 1) box.setEscapeButton(b);
    }
    QtChildFrameHost::ShowWaitingFrame();
    box.exec();
    auto it = resultOf.find(box.clickedButton());
    if (it != resultOf.end()) return it->second;
    // Closed from outside without an answer (the program is quitting): the
    // answer that goes no further, and always one of the box's own.
    for (int safe : {IDCANCEL, IDNO, IDABORT})
        if (std::find(results.begin(), results.end(), safe) != results.end()) return safe;
    return results.front();
}

int QtDialogRunner::RunModal(CDialog& dialog)
{
    QtDialogSite site(dialog, ModalParent());
    if (!site.Initialize()) return site.Result();
    QtChildFrameHost::ShowWaitingFrame();
    site.Window()->exec();
    return site.Ended() ? site.Result() : IDCANCEL;
}

QtDialogRunner::~QtDialogRunner()
{
    // Owners close their windows; any left at exit outlive the widgets'
    // application and are not touched.
    for (auto& [dialog, site] : m_modeless) {
        dialog->ModelessClosed();
        static_cast<void>(site.release());
    }
}

bool QtDialogRunner::CreateModeless(CDialog& dialog)
{
    auto site = std::make_unique<QtDialogSite>(dialog, ModelessOwner(dialog));
    site->SetPaintWhileBusy(true);
    site->Window()->setModal(false);
    const bool visible = dialog.IsVisibleOnCreate();
    if (visible) site->Window()->show();
    if (!site->Initialize()) return false;
    QtDialogSite* shown = site.get();
    m_modeless[&dialog] = std::move(site);
    if (visible) shown->Refresh();
    return true;
}

void QtDialogRunner::DestroyModeless(CDialog& dialog) { m_modeless.erase(&dialog); }

QtHelpViewer::~QtHelpViewer()
{
    // A viewer that goes before the application takes its window along;
    // the application's own goes when the program quits.
    if (m_window != nullptr && QCoreApplication::instance() != nullptr) delete m_window.data();
}

void QtHelpViewer::ShowPage(const QString& resourcePath)
{
    if (m_window == nullptr) {
        m_window = new QWidget(nullptr, Qt::Window);
        m_window->setWindowTitle(LoadStr(2));
        m_window->resize(560, 480);
        auto* layout = new QVBoxLayout(m_window);
        auto* browser = new QTextBrowser(m_window);
        browser->setObjectName(QStringLiteral("help"));
        browser->setOpenLinks(true);
        browser->setSearchPaths({QStringLiteral(":/res/help")});
        layout->addWidget(browser);
        // Top-level windows must go before the application object does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_window, [this] { delete m_window.data(); });
    }
    auto* browser = m_window->findChild<QTextBrowser*>(QStringLiteral("help"));
    browser->setSource(QUrl(QStringLiteral("qrc") + resourcePath));
    // Help asked for from a modal dialog is read while the dialog stands: the
    // window becomes the dialog's own (its transient), which the dialog's
    // modality leaves usable and which stays above it; asked for elsewhere
    // it is a window of its own again.
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal != nullptr && modal != m_window ? modal->windowHandle() : nullptr;
    m_window->winId();
    if (QWindow* handle = m_window->windowHandle(); handle != nullptr && handle->transientParent() != owner) {
        // The window system takes the owner when the window is mapped.
        m_window->hide();
        handle->setTransientParent(owner);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QStringList QtFileDialogRunner::NameFilters(const QStringList& filters)
{
    QStringList out;
    for (const QString& filter : filters) {
        // Only the patterns in the last parentheses are matched; the name
        // before them stays as the program wrote it.
        const qsizetype open = filter.lastIndexOf(u'(');
        const qsizetype close = filter.lastIndexOf(u')');
        if (open < 0 || close < open) {
            out << filter;
            continue;
        }
        QStringList patterns = filter.mid(open + 1, close - open - 1).split(u' ', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == u"*.*") pattern = QStringLiteral("*");
        out << filter.left(open + 1) + patterns.join(u' ') + filter.mid(close);
    }
    return out;
}

namespace {
// The request's own check of the chosen name runs when the dialog would
// close with it, after the dialog's own checks; a refusal keeps it open.
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(QWidget* parent, const QString& title, std::function<bool(const QString&)> check)
        : QFileDialog(parent, title), m_check(std::move(check))
    {
    }
    void done(int result) override
    {
        if (result == QDialog::Accepted && m_check && !selectedFiles().isEmpty() && !m_check(selectedFiles().front()))
            return;
        QFileDialog::done(result);
    }

private:
    std::function<bool(const QString&)> m_check;
};
} // namespace

QString QtFileDialogRunner::Run(const FileDialogRequest& request)
{
    CheckedFileDialog dialog(ModalParent(), request.title, request.acceptName);
    // The checks and the button text need the dialog that Qt draws itself.
    if (request.acceptName || !request.acceptText.isEmpty()) dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const bool dialogChecksExistence = !request.save && !(request.existenceByNameCheck && request.acceptName);
    dialog.setFileMode(dialogChecksExistence ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDirectory(request.directory.isEmpty() ? QDir::currentPath() : request.directory);
    // Names match the filters in any letter case: "*.txt" lists A.TXT too.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setNameFilters(NameFilters(request.filters));
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.acceptText.isEmpty()) dialog.setLabelText(QFileDialog::Accept, request.acceptText);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    QtChildFrameHost::ShowWaitingFrame();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // The directory the user confirmed in becomes current, as the program
    // remembers it from there.
    QDir::setCurrent(dialog.directory().absolutePath());
    return dialog.selectedFiles().front();
}

std::optional<COLORREF> QtColorDialogRunner::Run(const ColorDialogRequest& request)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(request.initial), ModalParent());
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

void InstallQtPlatform()
{
    static QtFileDialogRunner files;
    SetFileDialogRunner(&files);
    static QtColorDialogRunner colors;
    SetColorDialogRunner(&colors);
    static QtMessageBoxHandler messages;
    static QtDialogRunner dialogs;
    static QtHelpViewer help;
    SetMessageHandler(&messages);
    SetDialogRunner(&dialogs);
    SetHelpViewer(&help);
    static QtClipboard clipboard;
    clipboard::SetService(&clipboard);
    static QtDragDrop drags;
    dragdrop::SetService(&drags);
    static QtPrintService printing;
    SetPrintService(&printing);
    static QtPreviewService previews;
    SetPreviewService(&previews);
}
