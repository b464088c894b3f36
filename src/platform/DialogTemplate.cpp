#include "platform/DialogTemplate.h"

#include <QColor>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <map>
#include <mutex>
#include <set>

bool ControlTemplate::HasTabStop() const
{
    if (tabstop >= 0) return tabstop != 0;
    if (kind == u"radio") return group;
    return kind == u"edit" || kind == u"textedit" || kind == u"button" || kind == u"check" || kind == u"combo" ||
           kind == u"dropdown" || kind == u"list" || kind == u"slider" || kind == u"tab" || kind == u"grid";
}

namespace {
void Collect(const std::vector<std::vector<ControlTemplate>>& rows, std::vector<const ControlTemplate*>& out)
{
    for (const auto& row : rows) {
        for (const auto& c : row) {
            out.push_back(&c);
            Collect(c.rows, out);
        }
    }
}

bool ParseRows(const QJsonValue& value, std::vector<std::vector<ControlTemplate>>& rows, QString* error);

// Kinds the dialog addresses by id: without one they would be unreachable.
bool NeedsId(const QString& kind)
{
    return kind == u"edit" || kind == u"textedit" || kind == u"button" || kind == u"check" || kind == u"radio" ||
           kind == u"combo" || kind == u"dropdown" || kind == u"list" || kind == u"spin" || kind == u"slider" ||
           kind == u"progress" || kind == u"tab" || kind == u"grid";
}

bool ParseControl(const QJsonObject& o, ControlTemplate& c, QString* error)
{
    const QJsonValue id = o.value(u"id");
    if (!id.isUndefined()) {
        // "8044" or 8044.5 must not quietly become a static control.
        const double number = id.toDouble(0.5);
        // Ids are whole: some dialogs number their controls beyond 16 bits.
        if (!id.isDouble() || number < IDC_STATIC || number > 0x7FFFFFFF ||
            number != static_cast<double>(static_cast<int>(number))) {
            *error = QStringLiteral("a control id is not a number from -1 to 2147483647");
            return false;
        }
        c.id = static_cast<int>(number);
    }
    c.kind = o.value(u"kind").toString();
    if (c.kind.isEmpty()) {
        *error = QStringLiteral("control %1 has no kind").arg(c.id);
        return false;
    }
    if (c.id == IDC_STATIC && NeedsId(c.kind)) {
        *error = QStringLiteral("a control of kind %1 has no id").arg(c.kind);
        return false;
    }
    c.text = o.value(u"text").toString();
    c.group = o.value(u"group").toBool();
    if (o.contains(u"tabstop")) c.tabstop = o.value(u"tabstop").toBool() ? 1 : 0;
    c.disabled = o.value(u"disabled").toBool();
    c.hidden = o.value(u"hidden").toBool();
    c.collapse = o.value(u"collapse").toBool();
    c.isDefault = o.value(u"default").toBool();
    c.readOnly = o.value(u"readonly").toBool();
    c.multiline = o.value(u"multiline").toBool();
    c.number = o.value(u"number").toBool();
    c.upperCase = o.value(u"uppercase").toBool();
    c.limit = o.value(u"limit").toInt();
    const QJsonArray range = o.value(u"range").toArray();
    if (range.size() == 2) {
        c.rangeMin = range[0].toInt();
        c.rangeMax = range[1].toInt();
    }
    c.buddy = o.value(u"buddy").toInt();
    c.wrap = o.value(u"wrap").toBool();
    const QJsonArray cells = o.value(u"cells").toArray();
    if (cells.size() == 2) {
        c.cellRows = cells[0].toInt();
        c.cellCols = cells[1].toInt();
    }
    c.width = o.value(u"width").toInt();
    c.height = o.value(u"height").toInt();
    c.image = o.value(u"image").toInt();
    c.align = o.value(u"align").toString();
    c.background = o.value(u"background").toString();
    if (!c.background.isEmpty() && !QColor::isValidColorName(c.background)) {
        *error = QStringLiteral("control %1 has a background that is no colour").arg(c.id);
        return false;
    }
    for (const QJsonValue& item : o.value(u"items").toArray()) c.items << item.toString();
    if (o.contains(u"rows")) return ParseRows(o.value(u"rows"), c.rows, error);
    return true;
}

bool ParseRow(const QJsonValue& value, std::vector<ControlTemplate>& row, QString* error)
{
    // A row is a list of controls; a single control stands for a row of one.
    const QJsonArray items = value.isArray() ? value.toArray() : QJsonArray{value};
    for (const QJsonValue& item : items) {
        if (!item.isObject()) {
            *error = QStringLiteral("a row holds something that is not a control");
            return false;
        }
        ControlTemplate c;
        if (!ParseControl(item.toObject(), c, error)) return false;
        row.push_back(std::move(c));
    }
    return true;
}

bool ParseRows(const QJsonValue& value, std::vector<std::vector<ControlTemplate>>& rows, QString* error)
{
    if (!value.isArray()) {
        *error = QStringLiteral("rows are not a list");
        return false;
    }
    for (const QJsonValue& rowValue : value.toArray()) {
        std::vector<ControlTemplate> row;
        if (!ParseRow(rowValue, row, error)) return false;
        rows.push_back(std::move(row));
    }
    return true;
}
} // namespace

std::vector<const ControlTemplate*> DialogTemplate::Controls() const
{
    std::vector<const ControlTemplate*> out;
    Collect(rows, out);
    for (const auto& b : buttons) out.push_back(&b);
    return out;
}

const ControlTemplate* DialogTemplate::Find(int controlId) const
{
    for (const ControlTemplate* c : Controls())
        if (c->id == controlId) return c;
    return nullptr;
}

std::shared_ptr<const DialogTemplate> DialogTemplate::Parse(const QByteArray& json, QString* error)
{
    QString ignored;
    if (error == nullptr) error = &ignored;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
        return nullptr;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("the template is not an object");
        return nullptr;
    }
    const QJsonObject o = doc.object();
    auto t = std::make_shared<DialogTemplate>();
    t->id = static_cast<UINT>(o.value(u"id").toInt());
    t->caption = o.value(u"caption").toString();
    const QJsonArray size = o.value(u"size").toArray();
    if (size.size() == 2) {
        t->width = size[0].toInt();
        t->height = size[1].toInt();
    }
    t->noCaption = o.value(u"nocaption").toBool();
    t->topmost = o.value(u"topmost").toBool();
    if (o.contains(u"buttonsAt")) t->buttonsAt = o.value(u"buttonsAt").toString();
    if (o.contains(u"rows") && !ParseRows(o.value(u"rows"), t->rows, error)) return nullptr;
    if (o.contains(u"buttons")) {
        if (!o.value(u"buttons").isArray()) {
            *error = QStringLiteral("buttons are not a list");
            return nullptr;
        }
        std::vector<ControlTemplate> buttons;
        if (!ParseRow(o.value(u"buttons"), buttons, error)) return nullptr;
        t->buttons = std::move(buttons);
    }
    // The dialog finds its controls by id: two controls with one id would
    // leave one of them out of its reach.
    std::set<int> ids;
    for (const ControlTemplate* c : t->Controls()) {
        if (c->id != IDC_STATIC && !ids.insert(c->id).second) {
            *error = QStringLiteral("control id %1 is used twice").arg(c->id);
            return nullptr;
        }
    }
    return t;
}

std::shared_ptr<const DialogTemplate> DialogTemplate::Load(UINT id)
{
    static std::mutex lock;
    static std::map<UINT, std::shared_ptr<const DialogTemplate>> cache;
    std::lock_guard<std::mutex> guard(lock);
    if (auto it = cache.find(id); it != cache.end()) return it->second;
    QFile file(QStringLiteral(":/res/dialogs/%1.json").arg(id));
    std::shared_ptr<const DialogTemplate> t;
    QString error;
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("no such dialog resource");
    } else {
        t = Parse(file.readAll(), &error);
    }
    if (!t) std::fprintf(stderr, "kinetrace: dialog template %u: %s\n", id, qPrintable(error));
    cache.emplace(id, t);
    return t;
}
