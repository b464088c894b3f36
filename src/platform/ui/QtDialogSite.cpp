#include "platform/ui/QtDialogSite.h"

#include "platform/Resources.h"
#include "platform/ui/QtDialogControls.h"
#include "platform/ui/QtDrawnControl.h"
#include "platform/ui/QtEditHost.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QScreen>
#include <QWindow>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <climits>
#include <cstdio>

using dialogctl::EditLimit;
using dialogctl::Grid;
using dialogctl::GridOf;
using dialogctl::LimitOf;
using dialogctl::UpDown;

namespace {
std::map<QString, QtDialogSite::Factory>& CustomKinds()
{
    static std::map<QString, QtDialogSite::Factory> kinds;
    return kinds;
}

// The control stands on the colour, whatever its state: an edit paints its
// text area in the base colour, other controls in the window colour.
void PaintOn(QWidget* w, const QColor& color)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

// An editable combo is a drop-down.
QWidget* MakeCombo(QtDialogSite&, const ControlTemplate& c, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(c.kind == u"dropdown");
    combo->addItems(c.items);
    combo->setCurrentIndex(-1);
    return combo;
}

QString FromMultiline(const QString& text)
{
    QString t = text;
    return t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}
QString ToMultiline(const QString& text)
{
    QString t = text;
    return t.remove(QLatin1Char('\r'));
}
} // namespace

// ---------------------------------------------------------------------------

TemplateDialog::TemplateDialog(QtDialogSite& site, QWidget* parent) : QDialog(parent), m_site(site) {}

void TemplateDialog::accept() { m_site.Dialog().CommandOK(); }
void TemplateDialog::reject() { m_site.Dialog().CommandCancel(); }

void TemplateDialog::done(int result)
{
    // Only the dialog's EndDialog closes the window.
    if (m_finishing) QDialog::done(result);
}

void TemplateDialog::Finish(int result)
{
    m_finishing = true;
    QDialog::done(result);
    m_finishing = false;
}

void TemplateDialog::SetClientImage(const QImage& image)
{
    m_image = image;
    if (!image.isNull()) setFixedSize(image.size());
    update();
}

void TemplateDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        m_site.Dialog().OnHelpInfo();
        return;
    }
    m_site.KeyPressed(event->key());
    if (m_site.Ended()) return;
    QDialog::keyPressEvent(event);
}

void TemplateDialog::mousePressEvent(QMouseEvent* event)
{
    m_site.MousePressed(static_cast<int>(event->button()));
    QDialog::mousePressEvent(event);
}

void TemplateDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_image.isNull()) return;
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

// ---------------------------------------------------------------------------

void QtDialogSite::RegisterKind(const QString& kind, Factory factory) { CustomKinds()[kind] = std::move(factory); }

QtDialogSite::QtDialogSite(CDialog& dialog, QWidget* parent) : m_dialog(dialog)
{
    m_window = new TemplateDialog(*this, parent);
    Build();
    m_dialog.Attach(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const int id = IdOf(now);
        if (id != 0 && id != m_focus) {
            const int old = m_focus;
            m_focus = id;
            if (old != 0) m_dialog.Dispatch(old, Notify::KillFocus);
            m_dialog.Dispatch(id, Notify::SetFocus);
        }
    });
}

QtDialogSite::~QtDialogSite()
{
    m_timers.clear();
    m_dialog.Detach();
    delete m_window.data();
}

void QtDialogSite::Build()
{
    const DialogTemplate* t = m_dialog.Template();
    TemplateDialog* w = m_window;
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (t->noCaption) flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (t->topmost) flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    w->setWindowTitle(t->caption);

    const bool buttonsRight = t->buttonsAt != u"bottom";
    auto* outer = buttonsRight ? static_cast<QBoxLayout*>(new QHBoxLayout(w)) : new QVBoxLayout(w);
    auto* body = new QVBoxLayout;
    outer->addLayout(body, 1);
    AddRows(t->rows, w, body);
    body->addStretch(1);
    if (!t->buttons.empty()) {
        auto* buttons = buttonsRight ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
        if (!buttonsRight) buttons->addStretch(1);
        for (const ControlTemplate& c : t->buttons) buttons->addWidget(MakeControl(c, w));
        if (buttonsRight) buttons->addStretch(1);
        outer->addLayout(buttons);
    }

    // The template's size in dialog units is the least the window takes.
    const QFontMetrics fm(w->font());
    const int baseX = std::max(1, fm.averageCharWidth());
    const int baseY = std::max(1, fm.height());
    w->setMinimumSize(t->width * baseX / 4, t->height * baseY / 8);

    // A static text with a mnemonic moves the focus to the control after it.
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(m_order[i].second);
        if (label == nullptr || m_order[i].first->kind != u"static" || !m_order[i].first->text.contains(u'&'))
            continue;
        for (std::size_t j = i + 1; j < m_order.size(); ++j) {
            if (m_order[j].first->HasTabStop()) {
                label->setBuddy(m_order[j].second);
                break;
            }
        }
    }

    // Radio buttons form groups from a control that starts a group to the
    // next one; within a group one button is checked at a time.
    QButtonGroup* radioGroup = nullptr;
    for (const auto& [c, cw] : m_order) {
        if (c->group) radioGroup = nullptr;
        auto* radio = qobject_cast<QRadioButton*>(cw);
        if (radio == nullptr || c->kind != u"radio") continue;
        if (radioGroup == nullptr) radioGroup = new QButtonGroup(this);
        radioGroup->addButton(radio);
        m_radioGroups[c->id] = radioGroup;
    }

    // Arrows step their buddy edit wherever the template puts it.
    for (const auto& [c, cw] : m_order) {
        if (c->kind != u"spin" || c->buddy == 0) continue;
        auto* upDown = dynamic_cast<UpDown*>(cw);
        if (upDown != nullptr) upDown->SetBuddy(qobject_cast<QLineEdit*>(Control(c->buddy)));
    }

    // Tab order follows the template.
    QWidget* previous = nullptr;
    for (const auto& [c, cw] : m_order) {
        if (!c->HasTabStop()) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, cw);
        previous = cw;
    }
}

void QtDialogSite::AddRows(const std::vector<std::vector<ControlTemplate>>& rows, QWidget* parent, QBoxLayout* layout)
{
    for (const auto& row : rows) {
        auto* line = new QHBoxLayout;
        for (const ControlTemplate& c : row) line->addWidget(MakeControl(c, parent), c.kind == u"static" ? 0 : 1);
        if (row.size() == 1 && row.front().kind != u"group") line->addStretch(0);
        layout->addLayout(line);
    }
}

const std::map<QString, QtDialogSite::Maker>& QtDialogSite::OwnKinds()
{
    static const std::map<QString, Maker> kinds = {
        {QStringLiteral("static"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* label = new QLabel(c.text, parent);
             label->setTextFormat(Qt::PlainText);
             if (c.align == u"center") label->setAlignment(Qt::AlignCenter);
             if (c.align == u"right") label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
             // A static given more than a line's height is a block of lines:
             // it wraps and starts at its top, so two such blocks side by side
             // keep their lines level.
             label->setWordWrap(c.height > 10);
             if (c.height > 10) label->setAlignment((label->alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignTop);
             if (!c.background.isEmpty()) PaintOn(label, QColor(c.background));
             return label;
         }},
        {QStringLiteral("picture"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* label = new QLabel(parent);
             const QImage image = LoadBitmapResource(static_cast<UINT>(c.image));
             if (!image.isNull()) label->setPixmap(QPixmap::fromImage(image));
             return label;
         }},
        {QStringLiteral("edit"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             if (c.multiline) {
                 auto* edit = new QPlainTextEdit(c.text, parent);
                 edit->setReadOnly(c.readOnly);
                 return edit;
             }
             auto* edit = new QLineEdit(c.text, parent);
             edit->setReadOnly(c.readOnly);
             edit->setValidator(new EditLimit(c.limit, c.number, c.upperCase, edit));
             return edit;
         }},
        {QStringLiteral("textedit"),
         [](QtDialogSite& site, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* edit = new QtEditHost(parent);
             edit->setReadOnly(c.readOnly);
             edit->SetFocusResolver([&site](QWidget* now) { return site.IdOf(now); });
             return edit;
         }},
        {QStringLiteral("button"),
         [](QtDialogSite& site, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* button = new QPushButton(c.text, parent);
             button->setDefault(c.isDefault);
             if (c.isDefault) site.m_default = c.id;
             return button;
         }},
        {QStringLiteral("check"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             return new QCheckBox(c.text, parent);
         }},
        {QStringLiteral("radio"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* radio = new QRadioButton(c.text, parent);
             radio->setAutoExclusive(false);
             return radio;
         }},
        {QStringLiteral("group"),
         [](QtDialogSite& site, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* box = new QGroupBox(c.text, parent);
             // The box comes before its contents in tab order.
             site.m_order.emplace_back(&c, box);
             auto* inner = new QVBoxLayout(box);
             site.AddRows(c.rows, box, inner);
             return box;
         }},
        {QStringLiteral("combo"), &MakeCombo},
        {QStringLiteral("dropdown"), &MakeCombo},
        {QStringLiteral("list"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* list = new QListWidget(parent);
             list->addItems(c.items);
             return list;
         }},
        {QStringLiteral("spin"),
         [](QtDialogSite& site, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             const int id = c.id;
             CDialog& dialog = site.m_dialog;
             auto* spin = new UpDown(
                 parent, [&dialog, id](int pos, int delta) { return dialog.AdjustSpinDelta(id, pos, delta); },
                 [&dialog, id] { dialog.Dispatch(id, Notify::Scroll); });
             spin->SetRange(c.rangeMin, c.rangeMax);
             spin->m_wrap = c.wrap;
             return spin;
         }},
        {QStringLiteral("tab"),
         [](QtDialogSite&, const ControlTemplate&, QWidget* parent) -> QWidget* {
             auto* tabs = new QTabBar(parent);
             tabs->setExpanding(false);
             return tabs;
         }},
        {QStringLiteral("grid"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             return new Grid(c.cellRows, c.cellCols, parent);
         }},
        {QStringLiteral("slider"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* slider = new QSlider(Qt::Horizontal, parent);
             slider->setRange(c.rangeMin, c.rangeMax);
             return slider;
         }},
        {QStringLiteral("progress"),
         [](QtDialogSite&, const ControlTemplate& c, QWidget* parent) -> QWidget* {
             auto* bar = new QProgressBar(parent);
             bar->setRange(c.rangeMin, c.rangeMax);
             bar->setValue(c.rangeMin);
             return bar;
         }},
    };
    return kinds;
}

QWidget* QtDialogSite::MakeControl(const ControlTemplate& c, QWidget* parent)
{
    QWidget* w = nullptr;
    const std::size_t orderBefore = m_order.size();
    const QFontMetrics fm(parent->font());
    if (auto own = OwnKinds().find(c.kind); own != OwnKinds().end()) {
        w = own->second(*this, c, parent);
    } else if (auto it = CustomKinds().find(c.kind); it != CustomKinds().end()) {
        w = it->second(c, parent);
    }
    // A kind that took its place in the tab order itself (a group, before
    // its contents) keeps it.
    const bool ordered = m_order.size() > orderBefore && m_order[orderBefore].first == &c;
    if (w == nullptr) {
        std::fprintf(stderr, "kinetrace: dialog %u: no renderer for control %d of kind %s\n",
                     m_dialog.GetTemplateId(), c.id, qPrintable(c.kind));
        auto* placeholder = new QLabel(QStringLiteral("[%1]").arg(c.kind), parent);
        w = placeholder;
    }
    if (c.width > 0) w->setMinimumWidth(c.width * std::max(1, fm.averageCharWidth()) / 4);
    if (c.height > 0) w->setMinimumHeight(c.height * std::max(1, fm.height()) / 8);
    // A grid keeps the size it is given, which its columns are measured by.
    if (c.kind == u"grid") w->setFixedSize(w->minimumSize());
    w->setEnabled(!c.disabled);
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(!c.collapse);
    w->setSizePolicy(policy);
    if (c.hidden) w->setVisible(false);
    // Custom kinds choose their own focus rule.
    const bool custom = CustomKinds().count(c.kind) != 0;
    if (!c.HasTabStop() && c.kind != u"radio" && !custom) w->setFocusPolicy(Qt::ClickFocus);
    if (c.id != IDC_STATIC) m_controls[c.id] = w;
    m_ids[w] = c.id;
    // Tips are asked of the dialog while it has them on.
    w->installEventFilter(this);
    if (!ordered) m_order.emplace_back(&c, w);
    Connect(c, w);
    return w;
}

void QtDialogSite::Connect(const ControlTemplate& c, QWidget* w)
{
    const int id = c.id;
    if (id == IDC_STATIC) return;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (m_programChange != 0) return;
            m_focus = id;
            m_dialog.Dispatch(id, Notify::Clicked);
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textChanged, this, [this, id] { m_dialog.Dispatch(id, Notify::Changed); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        connect(text, &QPlainTextEdit::textChanged, this, [this, id] { m_dialog.Dispatch(id, Notify::Changed); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, id] {
            if (m_programChange == 0) m_dialog.Dispatch(id, Notify::SelChange);
        });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, id] {
            if (m_programChange == 0) m_dialog.Dispatch(id, Notify::SelChange);
        });
        connect(list, &QListWidget::itemDoubleClicked, this, [this, id] { m_dialog.Dispatch(id, Notify::DoubleClick); });
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        connect(slider, &QSlider::valueChanged, this, [this, id] {
            if (m_programChange == 0) m_dialog.Dispatch(id, Notify::Scroll);
        });
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        // The bar has already moved when it tells: it goes back to the tab
        // it left while the dialog decides, so the dialog still sees that
        // one as the selection, and moves on only when the dialog allows.
        connect(tabs, &QTabBar::currentChanged, this, [this, id, tabs](int index) {
            if (m_programChange != 0) return;
            ++m_programChange;
            tabs->setCurrentIndex(m_tabSelection[id]);
            --m_programChange;
            if (!m_dialog.QuerySelChange(id)) return;
            SetCurSel(id, index);
            m_dialog.Dispatch(id, Notify::SelChange);
        });
    }
}

bool QtDialogSite::Initialize()
{
    const bool focusFirst = m_dialog.OnInitDialog();
    if (m_ended) return false;
    ApplyControlColors();
    if (focusFirst) {
        for (const ControlTemplate* c : m_dialog.Template()->Controls()) {
            if (!c->HasTabStop()) continue;
            QWidget* w = Control(c->id);
            if (w == nullptr || !w->isEnabled() || w->isHidden()) continue;
            // Within a radio group the checked button takes the focus.
            int target = c->id;
            if (auto it = m_radioGroups.find(c->id); it != m_radioGroups.end() && it->second->checkedButton())
                target = IdOf(it->second->checkedButton());
            SetFocus(target);
            break;
        }
    }
    return true;
}

void QtDialogSite::ApplyControlColors()
{
    for (const auto& [id, w] : m_controls) {
        COLORREF background = 0;
        if (id == IDC_STATIC || !m_dialog.OnCtlColor(id, background)) continue;
        PaintOn(w, QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
    }
}

QWidget* QtDialogSite::Control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

int QtDialogSite::IdOf(const QWidget* w) const
{
    for (; w != nullptr && w != m_window; w = w->parentWidget()) {
        auto it = m_ids.find(w);
        if (it != m_ids.end()) return it->second == IDC_STATIC ? 0 : it->second;
    }
    return 0;
}

bool QtDialogSite::HasControl(int id) const { return Control(id) != nullptr; }

QString QtDialogSite::GetText(int id) const
{
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return FromMultiline(t->toPlainText());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentItem() ? list->currentItem()->text() : QString();
    return {};
}

void QtDialogSite::SetText(int id, const QString& text)
{
    QWidget* w = Control(id);
    ++m_programChange;
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const EditLimit* limit = LimitOf(e);
        e->setText(limit != nullptr && limit->m_upperCase ? text.toUpper() : text);
    } else if (auto* host = qobject_cast<QtEditHost*>(w)) {
        host->SetText(text);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        t->setPlainText(ToMultiline(text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) c->setEditText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    }
    --m_programChange;
}

int QtDialogSite::GetCheck(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(Control(id));
    if (b == nullptr) return 0;
    if (auto* c = qobject_cast<QCheckBox*>(b); c != nullptr && c->checkState() == Qt::PartiallyChecked) return 2;
    return b->isChecked() ? 1 : 0;
}

void QtDialogSite::SetCheck(int id, int state)
{
    auto* b = qobject_cast<QAbstractButton*>(Control(id));
    if (b == nullptr) return;
    ++m_programChange;
    if (auto* c = qobject_cast<QCheckBox*>(b)) {
        if (state == 2) c->setTristate(true);
        c->setCheckState(state == 2 ? Qt::PartiallyChecked : (state != 0 ? Qt::Checked : Qt::Unchecked));
    } else {
        // Radio buttons may all be cleared; the group allows that only while
        // it is not exclusive.
        QButtonGroup* group = m_radioGroups.count(id) ? m_radioGroups.at(id) : nullptr;
        if (group != nullptr && state == 0) group->setExclusive(false);
        b->setChecked(state != 0);
        if (group != nullptr) group->setExclusive(true);
    }
    --m_programChange;
}

bool QtDialogSite::IsEnabled(int id) const
{
    QWidget* w = Control(id);
    return w != nullptr && w->isEnabled();
}

void QtDialogSite::Enable(int id, bool enable)
{
    if (QWidget* w = Control(id)) w->setEnabled(enable);
}

bool QtDialogSite::IsVisible(int id) const
{
    QWidget* w = Control(id);
    return w != nullptr && !w->isHidden();
}

void QtDialogSite::Show(int id, bool show)
{
    if (QWidget* w = Control(id)) w->setVisible(show);
}

bool QtDialogSite::IsReadOnly(int id) const
{
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isReadOnly();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->isReadOnly();
    return false;
}

void QtDialogSite::SetReadOnly(int id, bool readOnly)
{
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(readOnly);
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setReadOnly(readOnly);
}

void QtDialogSite::SetFocus(int id)
{
    QWidget* w = Control(id);
    if (w == nullptr) return;
    m_focus = id;
    w->setFocus(Qt::OtherFocusReason);
}

int QtDialogSite::GetFocus() const { return m_focus; }

void QtDialogSite::SetDefaultButton(int id)
{
    for (auto& [cid, w] : m_controls)
        if (auto* b = qobject_cast<QPushButton*>(w)) b->setDefault(cid == id);
    m_default = id;
}

int QtDialogSite::GetDefaultButton() const { return m_default; }

void QtDialogSite::SetLimit(int id, int maxChars)
{
    if (EditLimit* limit = LimitOf(qobject_cast<QLineEdit*>(Control(id)))) limit->m_maxChars = std::max(0, maxChars);
}

int QtDialogSite::GetLimit(int id) const
{
    const EditLimit* limit = LimitOf(qobject_cast<QLineEdit*>(Control(id)));
    return limit != nullptr ? limit->m_maxChars : 0;
}

void QtDialogSite::SetSel(int id, int from, int to)
{
    if (auto* e = qobject_cast<QLineEdit*>(Control(id))) {
        const int end = to < 0 ? static_cast<int>(e->text().size()) : to;
        e->setSelection(from, end - from);
    } else if (auto* host = qobject_cast<QtEditHost*>(Control(id))) {
        host->SetSel(from, to, false);
    }
}

int QtDialogSite::AddString(int id, const QString& text)
{
    QWidget* w = Control(id);
    ++m_programChange;
    int index = -1;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int current = c->currentIndex();
        c->addItem(text);
        c->setCurrentIndex(current);
        index = c->count() - 1;
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        l->addItem(text);
        index = l->count() - 1;
    } else if (auto* t = qobject_cast<QTabBar*>(w)) {
        index = t->addTab(text);
        m_tabSelection[id] = t->currentIndex();
    }
    --m_programChange;
    return index;
}

void QtDialogSite::ResetContent(int id)
{
    QWidget* w = Control(id);
    ++m_programChange;
    if (auto* c = qobject_cast<QComboBox*>(w)) c->clear();
    if (auto* l = qobject_cast<QListWidget*>(w)) l->clear();
    if (auto* t = qobject_cast<QTabBar*>(w)) {
        while (t->count() > 0) t->removeTab(0);
        m_tabSelection[id] = -1;
    }
    --m_programChange;
}

int QtDialogSite::GetCount(int id) const
{
    QWidget* w = Control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->count();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->count();
    if (auto* t = qobject_cast<QTabBar*>(w)) return t->count();
    return 0;
}

QString QtDialogSite::GetItemText(int id, int index) const
{
    QWidget* w = Control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->itemText(index);
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->item(index) ? l->item(index)->text() : QString();
    if (auto* t = qobject_cast<QTabBar*>(w)) return t->tabText(index);
    return {};
}

int QtDialogSite::GetCurSel(int id) const
{
    QWidget* w = Control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->currentRow();
    if (auto* t = qobject_cast<QTabBar*>(w)) return t->currentIndex();
    return -1;
}

void QtDialogSite::SetCurSel(int id, int index)
{
    QWidget* w = Control(id);
    ++m_programChange;
    if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(index < c->count() ? index : -1);
    if (auto* l = qobject_cast<QListWidget*>(w)) l->setCurrentRow(index < l->count() ? index : -1);
    if (auto* t = qobject_cast<QTabBar*>(w); t != nullptr && index >= 0 && index < t->count()) {
        t->setCurrentIndex(index);
        m_tabSelection[id] = index;
    }
    --m_programChange;
}

namespace {
// A progress bar repaints itself at once whenever its value shows
// differently, which a busy owner stepping it thousands of times would pay
// for each time: it paints with the rest of its window instead.
template <class Change>
void ChangeProgressBar(QProgressBar* bar, Change change)
{
    const bool enabled = bar->updatesEnabled();
    bar->setUpdatesEnabled(false);
    change();
    bar->setUpdatesEnabled(enabled);
}
} // namespace

void QtDialogSite::SetRange(int id, int low, int high)
{
    QWidget* w = Control(id);
    ++m_programChange;
    if (auto* s = qobject_cast<QSlider*>(w)) s->setRange(low, high);
    // A bar set to what it shows is left alone: stepped thousands of times,
    // each time given its range and position again, it would be marked for a
    // paint each time.
    if (auto* p = qobject_cast<QProgressBar*>(w); p != nullptr && (p->minimum() != low || p->maximum() != high))
        ChangeProgressBar(p, [&] { p->setRange(low, high); });
    if (auto* u = dynamic_cast<UpDown*>(w)) u->SetRange(low, high);
    --m_programChange;
}

void QtDialogSite::SetPos(int id, int pos)
{
    QWidget* w = Control(id);
    ++m_programChange;
    if (auto* s = qobject_cast<QSlider*>(w)) s->setValue(pos);
    if (auto* p = qobject_cast<QProgressBar*>(w); p != nullptr && p->value() != pos)
        ChangeProgressBar(p, [&] { p->setValue(pos); });
    if (auto* u = dynamic_cast<UpDown*>(w)) u->SetPos(pos);
    --m_programChange;
}

void QtDialogSite::SetBase(int id, int base)
{
    if (auto* u = dynamic_cast<UpDown*>(Control(id))) u->SetBase(base);
}

int QtDialogSite::GetBase(int id) const
{
    if (auto* u = dynamic_cast<UpDown*>(Control(id))) return u->Base();
    return 10;
}

int QtDialogSite::GetPos(int id) const
{
    QWidget* w = Control(id);
    if (auto* s = qobject_cast<QSlider*>(w)) return s->value();
    if (auto* p = qobject_cast<QProgressBar*>(w)) return p->value();
    if (auto* u = dynamic_cast<UpDown*>(w)) return u->Pos();
    return 0;
}

void QtDialogSite::SetImage(int id, const QImage& image)
{
    QWidget* w = Control(id);
    if (auto* l = qobject_cast<QLabel*>(w)) l->setPixmap(QPixmap::fromImage(image));
    // A button shows the picture beside its text.
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
        if (!image.isNull()) b->setIconSize(image.size());
    }
}

void QtDialogSite::SetGridRows(int id, int rows)
{
    if (Grid* g = GridOf(Control(id))) g->setRowCount(std::max(0, rows));
}

int QtDialogSite::GetGridRows(int id) const
{
    const Grid* g = GridOf(Control(id));
    return g != nullptr ? g->rowCount() : 0;
}

void QtDialogSite::SetGridCols(int id, int cols)
{
    if (Grid* g = GridOf(Control(id))) g->setColumnCount(std::max(0, cols));
}

int QtDialogSite::GetGridCols(int id) const
{
    const Grid* g = GridOf(Control(id));
    return g != nullptr ? g->columnCount() : 0;
}

void QtDialogSite::SetGridText(int id, int row, int col, const QString& text)
{
    Grid* g = GridOf(Control(id));
    QTableWidgetItem* cell = g != nullptr ? g->Cell(row, col) : nullptr;
    if (cell == nullptr) return;
    cell->setText(text);
    if (std::size_t(col) < g->m_alignments.size() && g->m_alignments[std::size_t(col)] == 0)
        cell->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString QtDialogSite::GetGridText(int id, int row, int col) const
{
    const Grid* g = GridOf(Control(id));
    const QTableWidgetItem* cell = g != nullptr ? g->item(row, col) : nullptr;
    return cell != nullptr ? cell->text() : QString();
}

void QtDialogSite::SetGridColWidth(int id, int col, int twips)
{
    Grid* g = GridOf(Control(id));
    if (g != nullptr && col >= 0 && col < g->columnCount()) g->setColumnWidth(col, std::max(0, twips) / kTwipsPerPixel);
}

int QtDialogSite::GetGridColWidth(int id, int col) const
{
    const Grid* g = GridOf(Control(id));
    if (g == nullptr || col < 0 || col >= g->columnCount()) return 0;
    return g->columnWidth(col) * kTwipsPerPixel;
}

void QtDialogSite::SetGridColAlignment(int id, int col, int alignment)
{
    Grid* g = GridOf(Control(id));
    if (g == nullptr || col < 0 || col >= g->columnCount()) return;
    if (g->m_alignments.size() <= std::size_t(col)) g->m_alignments.resize(std::size_t(col) + 1, -1);
    g->m_alignments[std::size_t(col)] = alignment;
    if (alignment != 0) return;
    for (int row = 0; row < g->rowCount(); ++row)
        if (QTableWidgetItem* cell = g->item(row, col)) cell->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int QtDialogSite::GetGridColAlignment(int id, int col) const
{
    const Grid* g = GridOf(Control(id));
    if (g == nullptr || col < 0 || std::size_t(col) >= g->m_alignments.size()) return -1;
    return g->m_alignments[std::size_t(col)];
}

QSize QtDialogSite::GetControlSize(int id) const
{
    const QWidget* w = Control(id);
    if (w == nullptr) return {};
    // A control with a size of its own has it before the window is laid out.
    if (w->minimumSize() == w->maximumSize()) return w->minimumSize();
    return w->size();
}

void QtDialogSite::SetControlSize(int id, const QSize& size)
{
    if (QWidget* w = Control(id)) w->setFixedSize(size.expandedTo(QSize(0, 0)));
}

QSize QtDialogSite::GetClientSize() const { return m_window->size(); }

void QtDialogSite::SetClientSize(const QSize& size)
{
    m_window->resize(size.expandedTo(m_window->minimumSizeHint()));
}

bool QtDialogSite::AttachDrawnControl(int id, CDrawnControl* control)
{
    auto* host = dynamic_cast<QtDrawnControl*>(Control(id));
    if (host == nullptr) return false;
    host->Attach(control);
    return true;
}

bool QtDialogSite::AttachEdit(int id, CEdit* edit)
{
    auto* host = qobject_cast<QtEditHost*>(Control(id));
    if (host == nullptr) return false;
    host->Attach(edit);
    return true;
}

void QtDialogSite::EnableToolTips(bool enable) { m_toolTips = enable; }

QString QtDialogSite::ToolTipText(int id) const
{
    QString tip;
    if (!m_toolTips || m_ended || Control(id) == nullptr || !m_dialog.OnToolTipNeedText(id, tip)) return QString();
    return tip;
}

bool QtDialogSite::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !m_toolTips) return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const QString tip = ToolTipText(IdOf(widget));
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget);
    }
    return true;
}

void QtDialogSite::SetCaption(const QString& caption) { m_window->setWindowTitle(caption); }
QString QtDialogSite::GetCaption() const { return m_window->windowTitle(); }

void QtDialogSite::SetClientImage(const QImage& image)
{
    m_window->setMinimumSize(0, 0);
    m_window->SetClientImage(image);
}

void QtDialogSite::SetTopmost(bool topmost)
{
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

void QtDialogSite::CenterOnScreen()
{
    QScreen* screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size = m_window->size().expandedTo(m_window->minimumSize());
    m_window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void QtDialogSite::SetTimer(UINT timerId, UINT milliseconds)
{
    auto& timer = m_timers[timerId];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, timerId] {
            if (!m_ended) m_dialog.OnTimer(timerId);
        });
    }
    timer->start(static_cast<int>(milliseconds));
}

void QtDialogSite::KillTimer(UINT timerId)
{
    auto it = m_timers.find(timerId);
    if (it != m_timers.end()) it->second->stop();
}

bool QtDialogSite::IsTimerActive(UINT timerId) const
{
    auto it = m_timers.find(timerId);
    return it != m_timers.end() && it->second->isActive();
}

UINT QtDialogSite::TimerInterval(UINT timerId) const
{
    auto it = m_timers.find(timerId);
    return it == m_timers.end() ? 0 : static_cast<UINT>(it->second->interval());
}

void QtDialogSite::End(int result)
{
    m_ended = true;
    m_result = result;
    for (auto& [id, timer] : m_timers) timer->stop();
    if (m_window) m_window->Finish(result);
}

void QtDialogSite::ShowWindow(int showCommand)
{
    if (!m_window) return;
    if (showCommand == SW_HIDE) {
        m_window->hide();
        return;
    }
    // The active window stays so: the window shows beside it.
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, showCommand == SW_SHOWNOACTIVATE);
    m_window->show();
}

bool QtDialogSite::IsWindowVisible() const { return m_window && m_window->isVisible(); }

CRect QtDialogSite::GetWindowRect() const
{
    if (!m_window) return {};
    const QRect r = m_window->frameGeometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void QtDialogSite::MoveWindowTo(CPoint topLeft)
{
    if (m_window) m_window->move(topLeft.x, topLeft.y);
}

void QtDialogSite::Refresh()
{
    if (!m_paintWhileBusy || !m_window) return;
    // Painting costs more than the work between two steps: the first change
    // shows at once, later ones some 30 ms apart.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool first = m_lastPaint < 0;
    if (!first && now - m_lastPaint < 30) return;
    m_lastPaint = now;
    // At first, and until the window is on the screen, what waits is done,
    // so that it gets there. From then on it paints alone: the other
    // windows, which the owner may be filling, would paint all they hold at
    // every step.
    const QWindow* handle = m_window->windowHandle();
    if (first || handle == nullptr || !handle->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    if (QLayout* layout = m_window->layout()) layout->activate();
    m_window->repaint();
}
