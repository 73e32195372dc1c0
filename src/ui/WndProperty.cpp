#include "ui/WndProperty.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleValidator>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "Common/Library/Cmd.h"
#include "graph/Colour.h"

namespace ovgUi {
namespace {

using ovgGraph::PropertyEditor;
using ovgGraph::PropertyItem;
using ovgGraph::PropertyValue;

const char* const kSides[] = {"left", "top", "right", "bottom"};

bool SameItems(const std::vector<PropertyItem>& a, const std::vector<PropertyItem>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PropertyItem& x, const PropertyItem& y) {
                          return x.key == y.key && x.label == y.label && x.editor == y.editor &&
                                 x.choices == y.choices && x.min == y.min && x.max == y.max;
                      });
}

QString RealText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Seconds on the graph's clock, broken down as UTC.
QDateTime DateTimeOf(double seconds)
{
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000), Qt::UTC);
}

void ShowColour(QToolButton& button, uint32_t colour)
{
    if (colour == ovgGraph::kNoColour) {
        button.setIcon(QIcon());
        button.setText(QCoreApplication::translate("WndProperty", "なし"));
        return;
    }
    const QColor shown = ovgGraph::ToQColor(colour);
    QPixmap swatch(16, 12);
    swatch.fill(shown);
    button.setIcon(QIcon(swatch));
    button.setText(shown.name().toUpper());
}

}  // namespace

WndProperty::WndProperty(ovgGraph::Graph& graph, Record record, QWidget* parent)
    : QWidget(parent),
      m_graph(graph),
      m_record(std::move(record)),
      m_chooseColour([this](const QColor& current, const QString& title) {
          return QColorDialog::getColor(current, this, title);
      })
{
    setObjectName(QStringLiteral("WndProperty"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("PropertyGrid"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("名前"), tr("値")});
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setRootIsDecorated(true);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(true);
    layout->addWidget(m_tree);
}

void WndProperty::ShowObject(const ovgGraph::PropertyTarget& target)
{
    m_target = target;
    Build(ovgGraph::PropertyItemsOf(m_graph, target));
}

void WndProperty::Clear()
{
    m_target.reset();
    m_rows.clear();
    m_tree->clear();
}

void WndProperty::Refresh()
{
    if (!m_target) return;
    if (!ovgGraph::IsInGraph(m_graph, *m_target)) {
        Clear();
        return;
    }
    const std::vector<PropertyItem> items = ovgGraph::PropertyItemsOf(m_graph, *m_target);
    std::vector<PropertyItem> shown;
    for (const Row& row : m_rows) shown.push_back(row.item);
    if (SameItems(items, shown))
        ShowValues();
    else
        Build(items);
}

void WndProperty::Build(const std::vector<PropertyItem>& items)
{
    // Editors removed with their rows are deleted later by the view, so a rebuild from inside an
    // editor's own signal is safe.
    m_rows.clear();
    m_tree->clear();
    QTreeWidgetItem* group = nullptr;
    for (const PropertyItem& item : items) {
        Row row{item};
        if (item.editor == PropertyEditor::kHeader) {
            group = new QTreeWidgetItem(m_tree, {item.label});
            group->setFirstColumnSpanned(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            row.treeItem = group;
        } else {
            row.treeItem =
                group ? new QTreeWidgetItem(group, {item.label}) : new QTreeWidgetItem(m_tree, {item.label});
            row.editor = CreateEditor(item);
            row.editor->setObjectName(QString::fromStdString(item.key));
            m_tree->setItemWidget(row.treeItem, 1, row.editor);
        }
        m_rows.push_back(std::move(row));
    }
    m_tree->expandAll();
    ShowValues();
}

QWidget* WndProperty::CreateEditor(const PropertyItem& item)
{
    const std::string key = item.key;
    switch (item.editor) {
        case PropertyEditor::kBool: {
            auto* box = new QCheckBox;
            connect(box, &QCheckBox::clicked, this, [this, key](bool on) { Commit(key, int32_t(on)); });
            return box;
        }
        case PropertyEditor::kInt: {
            auto* spin = new QSpinBox;
            spin->setRange(item.min, item.max);
            spin->setKeyboardTracking(false);
            connect(spin, &QSpinBox::valueChanged, this,
                    [this, key](int value) { Commit(key, int32_t(value)); });
            return spin;
        }
        case PropertyEditor::kColour:
            return CreateColourEditor(item);
        case PropertyEditor::kFontName: {
            auto* fonts = new QFontComboBox;
            connect(fonts, &QComboBox::textActivated, this, [this, key](const QString& name) {
                if (!name.isEmpty()) Commit(key, name);
            });
            return fonts;
        }
        case PropertyEditor::kChoice: {
            auto* combo = new QComboBox;
            for (const auto& [label, value] : item.choices) combo->addItem(label, value);
            connect(combo, &QComboBox::activated, this, [this, key, combo](int index) {
                if (index >= 0) Commit(key, int32_t(combo->itemData(index).toInt()));
            });
            return combo;
        }
        case PropertyEditor::kText: {
            auto* edit = new QLineEdit;
            connect(edit, &QLineEdit::editingFinished, this,
                    [this, key, edit] { Commit(key, edit->text()); });
            return edit;
        }
        case PropertyEditor::kReal: {
            auto* edit = new QLineEdit;
            auto* validator = new QDoubleValidator(edit);
            validator->setLocale(QLocale::c());
            validator->setNotation(QDoubleValidator::ScientificNotation);
            if (item.min < item.max) validator->setRange(item.min, item.max, 17);
            edit->setValidator(validator);
            connect(edit, &QLineEdit::editingFinished, this, [this, key, edit] {
                bool ok = false;
                const double value = QLocale::c().toDouble(edit->text(), &ok);
                if (ok) Commit(key, value);
            });
            return edit;
        }
        case PropertyEditor::kDateTime: {
            auto* edit = new QDateTimeEdit;
            edit->setTimeSpec(Qt::UTC);
            edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
            connect(edit, &QDateTimeEdit::editingFinished, this, [this, key, edit] {
                // Leaving the editor untouched keeps the fraction of a second it does not show.
                if (edit->dateTime() == edit->property("shown").toDateTime()) return;
                Commit(key, double(edit->dateTime().toMSecsSinceEpoch()) / 1000.0);
            });
            return edit;
        }
        case PropertyEditor::kRect:
            return CreateRectEditor(item);
        case PropertyEditor::kHeader:
            break;
    }
    return new QWidget;
}

// A swatch button: a click opens the colour dialog; named colours ("なし") are in its menu.
QWidget* WndProperty::CreateColourEditor(const PropertyItem& item)
{
    const std::string key = item.key;
    auto* button = new QToolButton;
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    const QString title = item.label;
    connect(button, &QToolButton::clicked, this, [this, key, title, button] {
        const QColor current = ovgGraph::ToQColor(button->property("colour").toUInt());
        const QColor chosen = m_chooseColour(current, title);
        if (chosen.isValid()) Commit(key, ovgGraph::FromRgb(chosen.red(), chosen.green(), chosen.blue()));
    });
    if (!item.choices.empty()) {
        auto* menu = new QMenu(button);
        for (const auto& [label, value] : item.choices) {
            const uint32_t colour = uint32_t(value);
            menu->addAction(label, this, [this, key, colour] { Commit(key, colour); });
        }
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    return button;
}

// Four spin boxes: left, top, right, bottom.
QWidget* WndProperty::CreateRectEditor(const PropertyItem& item)
{
    const std::string key = item.key;
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    std::vector<QSpinBox*> spins;
    for (const char* side : kSides) {
        auto* spin = new QSpinBox(box);
        spin->setObjectName(QString::fromLatin1(side));
        spin->setRange(item.min, item.max);
        spin->setKeyboardTracking(false);
        layout->addWidget(spin);
        spins.push_back(spin);
    }
    for (QSpinBox* spin : spins)
        connect(spin, &QSpinBox::valueChanged, this, [this, key, spins] {
            Commit(key, ovgGraph::Rect{spins[0]->value(), spins[1]->value(), spins[2]->value(),
                                       spins[3]->value()});
        });
    return box;
}

void WndProperty::ShowValues()
{
    for (const Row& row : m_rows)
        if (row.editor) ShowValue(row);
}

void WndProperty::ShowValue(const Row& row)
{
    const std::optional<PropertyValue> value =
        m_target ? ovgGraph::ReadProperty(m_graph, *m_target, row.item.key) : std::nullopt;
    row.editor->setEnabled(bool(value));
    if (!value) return;
    const QSignalBlocker block(row.editor);
    switch (row.item.editor) {
        case PropertyEditor::kBool:
            static_cast<QCheckBox*>(row.editor)->setChecked(std::get<int32_t>(*value) != 0);
            break;
        case PropertyEditor::kInt:
            static_cast<QSpinBox*>(row.editor)->setValue(std::get<int32_t>(*value));
            break;
        case PropertyEditor::kColour: {
            auto* button = static_cast<QToolButton*>(row.editor);
            button->setProperty("colour", std::get<uint32_t>(*value));
            ShowColour(*button, std::get<uint32_t>(*value));
            break;
        }
        case PropertyEditor::kFontName:
            static_cast<QFontComboBox*>(row.editor)->setEditText(std::get<QString>(*value));
            break;
        case PropertyEditor::kChoice: {
            auto* combo = static_cast<QComboBox*>(row.editor);
            combo->setCurrentIndex(combo->findData(std::get<int32_t>(*value)));
            break;
        }
        case PropertyEditor::kText:
            static_cast<QLineEdit*>(row.editor)->setText(std::get<QString>(*value));
            break;
        case PropertyEditor::kReal:
            static_cast<QLineEdit*>(row.editor)->setText(RealText(std::get<double>(*value)));
            break;
        case PropertyEditor::kDateTime: {
            auto* edit = static_cast<QDateTimeEdit*>(row.editor);
            edit->setDateTime(DateTimeOf(std::get<double>(*value)));
            edit->setProperty("shown", edit->dateTime());
            break;
        }
        case PropertyEditor::kRect: {
            const ovgGraph::Rect rect = std::get<ovgGraph::Rect>(*value);
            const int32_t sides[] = {rect.left, rect.top, rect.right, rect.bottom};
            for (int i = 0; i < 4; ++i) {
                auto* spin = row.editor->findChild<QSpinBox*>(QString::fromLatin1(kSides[i]));
                const QSignalBlocker blockSpin(spin);
                spin->setValue(sides[i]);
            }
            break;
        }
        case PropertyEditor::kHeader:
            break;
    }
}

void WndProperty::Commit(std::string key, const PropertyValue& value)
{
    if (!m_target) return;
    const std::optional<PropertyValue> current = ovgGraph::ReadProperty(m_graph, *m_target, key);
    if (current && *current != value) {
        if (std::shared_ptr<orvel::Cmd> cmd = ovgGraph::MakePropertyCmd(m_graph, *m_target, key, value))
            m_record(std::move(cmd));
    }
    // Show what the object holds now: a refused or adjusted value goes back to the stored one.
    ShowValues();
}

}  // namespace ovgUi
