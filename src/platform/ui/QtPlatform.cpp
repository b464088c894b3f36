#include "platform/ui/QtPlatform.h"

#include "platform/Strings.h"
#include "platform/ui/QtDialogSite.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <map>

namespace {
QWidget* ModalParent()
{
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QMainWindow")) return w;
    return nullptr;
}
} // namespace

int QtMessageBoxHandler::Show(const QString& text, UINT style)
{
    QMessageBox box(ModalParent());
    box.setWindowTitle(LoadStr(2));
    box.setText(text);
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
    std::map<QAbstractButton*, int> resultOf;
    for (int result : results) {
        QAbstractButton* b = box.addButton(kButtons.at(result).first);
        resultOf[b] = result;
        if (result == DefaultMessageResult(style)) box.setDefaultButton(static_cast<QPushButton*>(b));
        // Esc answers Cancel where there is one, and OK in a box with OK alone.
        if (result == IDCANCEL || results.size() == 1) box.setEscapeButton(b);
    }
    box.exec();
    auto it = resultOf.find(box.clickedButton());
    return it != resultOf.end() ? it->second : (results.size() == 1 ? results.front() : IDCANCEL);
}

int QtDialogRunner::RunModal(CDialog& dialog)
{
    QtDialogSite site(dialog, ModalParent());
    if (!site.Initialize()) return site.Result();
    site.Window()->exec();
    return site.Ended() ? site.Result() : IDCANCEL;
}

QtHelpViewer::~QtHelpViewer() = default;

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
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_window, [this] {
            delete m_window;
            m_window = nullptr;
        });
    }
    auto* browser = m_window->findChild<QTextBrowser*>(QStringLiteral("help"));
    browser->setSource(QUrl(QStringLiteral("qrc") + resourcePath));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QString QtFileDialogRunner::Run(const FileDialogRequest& request)
{
    QFileDialog dialog(ModalParent(), request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDirectory(request.directory.isEmpty() ? QDir::currentPath() : request.directory);
    dialog.setNameFilters(request.filters);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // The directory the user confirmed in becomes current, as the program
    // remembers it from there.
    QDir::setCurrent(dialog.directory().absolutePath());
    return dialog.selectedFiles().front();
}

void InstallQtPlatform()
{
    static QtFileDialogRunner files;
    SetFileDialogRunner(&files);
    static QtMessageBoxHandler messages;
    static QtDialogRunner dialogs;
    static QtHelpViewer help;
    SetMessageHandler(&messages);
    SetDialogRunner(&dialogs);
    SetHelpViewer(&help);
}
