#include "support/Scripted.h"

#include "params/HOXSpeedGraph.h"
#include "platform/Clipboard.h"
#include "platform/Settings.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtClipboard.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtDrawnControl.h"
#include "platform/ui/QtEditHost.h"
#include "plc/HOXLadderCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace kt::test {

namespace {
class StrictMessages : public MessageHandler {
public:
    int Show(const QString& text, UINT style, const QString& detail) override
    {
        ADD_FAILURE() << "unexpected message box: \"" << text.toStdString() << "\" style 0x" << std::hex << style
                      << " detail \"" << detail.toStdString() << "\"";
        return DefaultMessageResult(style);
    }
};

class StrictDialogs : public DialogRunner {
public:
    int RunModal(CDialog& dialog) override
    {
        ADD_FAILURE() << "unexpected dialog " << dialog.GetTemplateId();
        return IDCANCEL;
    }
};

StrictMessages g_strictMessages;
StrictDialogs g_strictDialogs;
// The offscreen platform's clipboard, as the program uses the desktop's.
QtClipboard g_clipboard;
std::unique_ptr<TempSettings> g_settings;
// Start-up registers the document type with the desktop; tests do it here.
std::unique_ptr<QTemporaryDir> g_dataHome;
// The home folder (with the documents folder the file dialogs start in),
// one for each test process: the user's own stays untouched.
std::unique_ptr<QTemporaryDir> g_home;
QByteArray g_userHome;
QByteArray g_userConfigHome;
} // namespace

// ---------------------------------------------------------------------------

ScriptedMessages::ScriptedMessages() : m_previous(GetMessageHandler()) { SetMessageHandler(this); }

ScriptedMessages::~ScriptedMessages()
{
    SetMessageHandler(m_previous);
    for (const Expected& e : m_expected)
        ADD_FAILURE() << "expected message box never shown: \"" << e.text.toStdString() << "\"";
}

ScriptedMessages& ScriptedMessages::Expect(const QString& text, UINT style, int answer)
{
    m_expected.push_back({text, style, answer, {}});
    return *this;
}

ScriptedMessages& ScriptedMessages::Expect(const QString& text, UINT style, int answer,
                                           std::function<void()> whileShown)
{
    m_expected.push_back({text, style, answer, std::move(whileShown)});
    return *this;
}

int ScriptedMessages::Show(const QString& text, UINT style, const QString& detail)
{
    seen.push_back({text, style, detail});
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << text.toStdString() << "\" style 0x" << std::hex << style;
        return DefaultMessageResult(style);
    }
    const Expected e = m_expected.front();
    m_expected.pop_front();
    EXPECT_EQ(e.text.toStdString(), text.toStdString());
    EXPECT_EQ(e.style, style) << "style of \"" << text.toStdString() << "\"";
    // An answer the box cannot give would send the code under test down a
    // path no user can reach.
    const std::vector<int> buttons = MessageButtons(style);
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), e.answer), buttons.end())
        << "the script answers \"" << text.toStdString() << "\" with " << e.answer
        << ", which is none of its buttons";
    if (e.whileShown) e.whileShown();
    return e.answer;
}

// ---------------------------------------------------------------------------

DialogDriver::DialogDriver(QtDialogSite& site) : m_site(site) {}

CDialog& DialogDriver::Dialog() const { return m_site.Dialog(); }

QWidget* DialogDriver::Widget(int id) const
{
    QWidget* w = m_site.Control(id);
    if (w == nullptr) ADD_FAILURE() << "dialog " << Dialog().GetTemplateId() << " has no control " << id;
    return w;
}

void DialogDriver::Type(int id, const QString& text)
{
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    if (!w->isEnabled()) {
        ADD_FAILURE() << "typing into disabled control " << id;
        return;
    }
    m_site.SetFocus(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->selectAll();
        QTest::keyClicks(plain, text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w); combo != nullptr && combo->isEditable()) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
    } else {
        ADD_FAILURE() << "control " << id << " takes no typing";
    }
}

void DialogDriver::Click(int id)
{
    auto* button = qobject_cast<QAbstractButton*>(Widget(id));
    if (button == nullptr) {
        ADD_FAILURE() << "control " << id << " is not a button";
        return;
    }
    if (!button->isEnabled() || button->isHidden()) {
        ADD_FAILURE() << "clicking control " << id << ", which is disabled or hidden";
        return;
    }
    button->click();
}

void DialogDriver::Select(int id, int index)
{
    QWidget* w = Widget(id);
    if (w != nullptr && (!w->isEnabled() || w->isHidden())) {
        ADD_FAILURE() << "selecting in control " << id << ", which is disabled or hidden";
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->setCurrentRow(index);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        if (index < 0 || index >= tabs->count()) {
            ADD_FAILURE() << "tab control " << id << " has no tab " << index;
            return;
        }
        tabs->setCurrentIndex(index);
    } else {
        ADD_FAILURE() << "control " << id << " has no selection";
    }
}

void DialogDriver::Spin(int id, int steps)
{
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    if (!w->isEnabled() || w->isHidden()) {
        ADD_FAILURE() << "spinning control " << id << ", which is disabled or hidden";
        return;
    }
    const Qt::ArrowType arrow = steps > 0 ? Qt::UpArrow : Qt::DownArrow;
    for (QToolButton* button : w->findChildren<QToolButton*>()) {
        if (button->arrowType() != arrow) continue;
        for (int i = 0; i < std::abs(steps); ++i) button->click();
        return;
    }
    ADD_FAILURE() << "control " << id << " is not a spin button";
}

void DialogDriver::PressArrow(int id, bool up)
{
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    m_site.SetFocus(id);
    QTest::keyClick(w, up ? Qt::Key_Up : Qt::Key_Down);
}

void DialogDriver::FireTimer(UINT timerId)
{
    if (!m_site.IsTimerActive(timerId)) {
        ADD_FAILURE() << "timer " << timerId << " is not running";
        return;
    }
    Dialog().OnTimer(timerId);
}

void DialogDriver::PressKey(int key) { QTest::keyClick(m_site.Window(), static_cast<Qt::Key>(key)); }

void DialogDriver::ClickDialog(int button)
{
    QTest::mouseClick(m_site.Window(), static_cast<Qt::MouseButton>(button));
}

bool DialogDriver::Ended() const { return m_site.Ended(); }
int DialogDriver::Result() const { return m_site.Result(); }
QString DialogDriver::Text(int id) const { return m_site.GetText(id); }
int DialogDriver::Check(int id) const { return m_site.GetCheck(id); }
bool DialogDriver::Enabled(int id) const { return m_site.IsEnabled(id); }
bool DialogDriver::Visible(int id) const { return m_site.IsVisible(id); }
int DialogDriver::Focus() const { return m_site.GetFocus(); }
int DialogDriver::DefaultButton() const { return m_site.GetDefaultButton(); }
int DialogDriver::Limit(int id) const { return m_site.GetLimit(id); }

QString DialogDriver::SelectedText(int id) const
{
    QWidget* w = Widget(id);
    if (auto* host = qobject_cast<QtEditHost*>(w)) {
        int start = 0;
        int end = 0;
        host->GetSel(start, end);
        return host->GetText().mid(start, end - start);
    }
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit != nullptr ? edit->selectedText() : QString();
}

int DialogDriver::Caret(int id) const
{
    QWidget* w = Widget(id);
    if (auto* host = qobject_cast<QtEditHost*>(w)) {
        int start = 0;
        int end = 0;
        host->GetSel(start, end);
        return end;
    }
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit != nullptr ? edit->cursorPosition() : -1;
}

void DialogDriver::Activate()
{
    m_site.Window()->show();
    QApplication::setActiveWindow(m_site.Window());
    QCoreApplication::processEvents();
}

void DialogDriver::KeyIn(int id, int key, int modifiers)
{
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    if (!w->isEnabled()) {
        ADD_FAILURE() << "typing into disabled control " << id;
        return;
    }
    QTest::keyClick(w, static_cast<Qt::Key>(key), Qt::KeyboardModifiers::fromInt(modifiers));
}

void DialogDriver::TypeAtCaret(int id, const QString& text)
{
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    if (!w->isEnabled()) {
        ADD_FAILURE() << "typing into disabled control " << id;
        return;
    }
    QTest::keyClicks(w, text);
}

void DialogDriver::SelectText(int id, int from, int to)
{
    QWidget* w = Widget(id);
    if (auto* host = qobject_cast<QtEditHost*>(w)) {
        host->SetSel(from, to, false);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const int end = to < 0 ? static_cast<int>(edit->text().size()) : to;
        edit->setSelection(from, end - from);
    } else {
        ADD_FAILURE() << "control " << id << " has no text to select";
    }
}

QString DialogDriver::ToolTip(int id) const { return m_site.ToolTipText(id); }

int DialogDriver::FirstVisibleLine(int id) const
{
    auto* host = qobject_cast<QtEditHost*>(Widget(id));
    return host != nullptr ? host->GetFirstVisibleLine() : -1;
}
QString DialogDriver::Caption() const { return m_site.GetCaption(); }
QString DialogDriver::Cell(int id, int row, int col) const { return m_site.GetGridText(id, row, col); }

// ---------------------------------------------------------------------------

ScriptedDialogs::ScriptedDialogs() : m_previous(GetDialogRunner()) { SetDialogRunner(this); }

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogRunner(m_previous);
    for (const Expected& e : m_expected) ADD_FAILURE() << "expected dialog " << e.templateId << " never shown";
    for (Live& live : m_modeless) {
        ADD_FAILURE() << "modeless dialog " << live.dialog->GetTemplateId() << " left open";
        live.dialog->ModelessClosed();
    }
    m_modeless.clear();
}

bool ScriptedDialogs::CreateModeless(CDialog& dialog)
{
    modelessShown.push_back(dialog.GetTemplateId());
    // Owned by the main window of its frame, as the program's runner has it.
    QtChildFrame* frame = QtChildFrameHost::WindowOf(dialog.GetParentFrame());
    auto site = std::make_unique<QtDialogSite>(dialog, frame != nullptr ? frame->window() : nullptr);
    if (dialog.IsVisibleOnCreate()) site->Window()->show();
    if (!site->Initialize()) return false;
    auto driver = std::make_unique<DialogDriver>(*site);
    m_modeless.push_back({&dialog, std::move(site), std::move(driver)});
    return true;
}

void ScriptedDialogs::DestroyModeless(CDialog& dialog)
{
    std::erase_if(m_modeless, [&](const Live& live) { return live.dialog == &dialog; });
}

DialogDriver* ScriptedDialogs::Modeless(UINT templateId)
{
    for (auto it = m_modeless.rbegin(); it != m_modeless.rend(); ++it)
        if (it->dialog->GetTemplateId() == templateId) return it->driver.get();
    return nullptr;
}

DialogDriver* ScriptedDialogs::ModelessOf(const CDialog& dialog)
{
    for (Live& live : m_modeless)
        if (live.dialog == &dialog) return live.driver.get();
    return nullptr;
}

ScriptedDialogs& ScriptedDialogs::Expect(UINT templateId, Script script)
{
    m_expected.push_back({templateId, std::move(script)});
    return *this;
}

int ScriptedDialogs::RunModal(CDialog& dialog)
{
    ++m_ran;
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.GetTemplateId();
        return IDCANCEL;
    }
    Expected e = std::move(m_expected.front());
    m_expected.pop_front();
    EXPECT_EQ(e.templateId, dialog.GetTemplateId());
    ++m_open;
    m_mostOpen = std::max(m_mostOpen, m_open);
    int result = IDCANCEL;
    {
        QtDialogSite site(dialog, nullptr);
        site.Window()->show();
        if (site.Initialize()) {
            DialogDriver driver(site);
            if (e.script) e.script(driver);
            if (!site.Ended()) ADD_FAILURE() << "the script left dialog " << dialog.GetTemplateId() << " open";
        }
        if (site.Ended()) result = site.Result();
    }
    --m_open;
    return result;
}

// ---------------------------------------------------------------------------

RecordingHelp::RecordingHelp() : m_previous(GetHelpViewer()) { SetHelpViewer(this); }
RecordingHelp::~RecordingHelp() { SetHelpViewer(m_previous); }

TempSettings::TempSettings() { SetSettingsFilePath(Path()); }
TempSettings::~TempSettings() { SetSettingsFilePath(g_settings && g_settings.get() != this ? g_settings->Path() : QString()); }
QString TempSettings::Path() const { return m_dir.filePath(QStringLiteral("Kinetrace.ini")); }

void InstallStrictFileDialogs();
void InstallStrictColorDialogs();
void InstallStrictPrinting();

void StrictPlatformEnvironment::SetUp()
{
    InstallStrictFileDialogs();
    InstallStrictColorDialogs();
    InstallStrictPrinting();
    SetMessageHandler(&g_strictMessages);
    SetDialogRunner(&g_strictDialogs);
    clipboard::SetService(&g_clipboard);
    // The kinds of controls the program draws itself, as the program
    // registers them.
    QtDialogSite::RegisterKind(CHOXLadderCtrl::TemplateKind(), QtDrawnControl::Create);
    QtDialogSite::RegisterKind(CHOXSpeedGraph::TemplateKind(), QtDrawnControl::Create);
    g_settings = std::make_unique<TempSettings>();
    g_dataHome = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(g_dataHome->path()));
    g_userHome = qgetenv("HOME");
    g_userConfigHome = qgetenv("XDG_CONFIG_HOME");
    g_home = std::make_unique<QTemporaryDir>();
    qputenv("HOME", QFile::encodeName(g_home->path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(g_home->filePath(QStringLiteral(".config"))));
}

void StrictPlatformEnvironment::TearDown()
{
    SetMessageHandler(nullptr);
    SetDialogRunner(nullptr);
    clipboard::SetService(nullptr);
    g_settings.reset();
    qunsetenv("XDG_DATA_HOME");
    g_dataHome.reset();
    qputenv("HOME", g_userHome);
    if (g_userConfigHome.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", g_userConfigHome);
    }
    g_home.reset();
}

} // namespace kt::test

namespace kt::test {

namespace {
class StrictFiles : public FileDialogRunner {
public:
    QString Run(const FileDialogRequest& request) override
    {
        ADD_FAILURE() << "unexpected file dialog \"" << request.title.toStdString() << "\"";
        return {};
    }
};
StrictFiles g_strictFiles;
} // namespace

ScriptedFiles::ScriptedFiles() : m_previous(GetFileDialogRunner()) { SetFileDialogRunner(this); }

ScriptedFiles::~ScriptedFiles()
{
    SetFileDialogRunner(m_previous);
    for (const auto& e : m_expected)
        ADD_FAILURE() << "expected file dialog never shown (answer \"" << e.first.join(u'|').toStdString() << "\")";
}

ScriptedFiles& ScriptedFiles::Expect(QString answer, Check check)
{
    return ExpectTries(QStringList{std::move(answer)}, std::move(check));
}

ScriptedFiles& ScriptedFiles::ExpectTries(QStringList answers, Check check)
{
    m_expected.emplace_back(std::move(answers), std::move(check));
    return *this;
}

QString ScriptedFiles::Run(const FileDialogRequest& request)
{
    seen.push_back(request);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected file dialog \"" << request.title.toStdString() << "\"";
        return {};
    }
    auto [answers, check] = std::move(m_expected.front());
    m_expected.pop_front();
    if (check) check(request);
    for (const QString& answer : answers) {
        if (answer.isEmpty() || !request.acceptName || request.acceptName(answer)) return answer;
        refused << answer;
    }
    ADD_FAILURE() << "the script left the file dialog \"" << request.title.toStdString() << "\" open";
    return {};
}

void InstallStrictFileDialogs() { SetFileDialogRunner(&g_strictFiles); }

} // namespace kt::test

namespace kt::test {

namespace {
class StrictColors : public ColorDialogRunner {
public:
    std::optional<COLORREF> Run(const ColorDialogRequest&) override
    {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::nullopt;
    }
};
StrictColors g_strictColors;
} // namespace

ScriptedColors::ScriptedColors() : m_previous(GetColorDialogRunner()) { SetColorDialogRunner(this); }

ScriptedColors::~ScriptedColors()
{
    SetColorDialogRunner(m_previous);
    for (std::size_t i = 0; i < m_expected.size(); ++i) ADD_FAILURE() << "expected colour dialog never shown";
}

ScriptedColors& ScriptedColors::Expect(std::optional<COLORREF> answer, Check check)
{
    m_expected.emplace_back(answer, std::move(check));
    return *this;
}

std::optional<COLORREF> ScriptedColors::Run(const ColorDialogRequest& request)
{
    seen.push_back(request);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::nullopt;
    }
    auto [answer, check] = std::move(m_expected.front());
    m_expected.pop_front();
    if (check) check(request);
    return answer;
}

void InstallStrictColorDialogs() { SetColorDialogRunner(&g_strictColors); }

} // namespace kt::test
