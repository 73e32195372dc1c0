#include "ui/WindowStyles.h"

#include <QApplication>
#include <QSettings>
#include <QStyleFactory>

namespace ovgUi {
namespace {

const QString kKey = QStringLiteral("Settings/WindowStyle");

// The few colours a look is made of.
struct Colours {
    QColor window, text, base, alternate, button, highlight, highlightedText, bar, barText, disabledText, link;
};

Colours ColoursOf(WindowStyle style)
{
    switch (style) {
        case WindowStyle::kBlack:
            return {QColor(0x2D, 0x2D, 0x30), QColor(0xE6, 0xE6, 0xE6), QColor(0x1E, 0x1E, 0x1E), QColor(0x26, 0x26, 0x28),
                    QColor(0x3A, 0x3A, 0x3D), QColor(0x2F, 0x66, 0xB8), QColor(0xFF, 0xFF, 0xFF), QColor(0x1B, 0x1B, 0x1C),
                    QColor(0xE6, 0xE6, 0xE6), QColor(0x8C, 0x8C, 0x8C), QColor(0x7F, 0xB2, 0xF0)};
        case WindowStyle::kSilver:
            return {QColor(0xEC, 0xED, 0xEF), QColor(0x1A, 0x1A, 0x1A), QColor(0xFF, 0xFF, 0xFF), QColor(0xF3, 0xF4, 0xF6),
                    QColor(0xE1, 0xE3, 0xE6), QColor(0x6A, 0x74, 0x80), QColor(0xFF, 0xFF, 0xFF), QColor(0xD4, 0xD7, 0xDC),
                    QColor(0x1A, 0x1A, 0x1A), QColor(0x80, 0x80, 0x80), QColor(0x1F, 0x4E, 0x9A)};
        case WindowStyle::kAqua:
            return {QColor(0xE4, 0xF3, 0xF5), QColor(0x10, 0x2A, 0x30), QColor(0xFF, 0xFF, 0xFF), QColor(0xEF, 0xF9, 0xFA),
                    QColor(0xD2, 0xEC, 0xF0), QColor(0x00, 0x7C, 0x8A), QColor(0xFF, 0xFF, 0xFF), QColor(0x9F, 0xD8, 0xE0),
                    QColor(0x10, 0x2A, 0x30), QColor(0x7A, 0x8C, 0x90), QColor(0x00, 0x5F, 0x8F)};
        case WindowStyle::kBlue:
            break;
    }
    return {QColor(0xDF, 0xE9, 0xF5), QColor(0x10, 0x1C, 0x2C), QColor(0xFF, 0xFF, 0xFF), QColor(0xF0, 0xF5, 0xFB),
            QColor(0xD5, 0xE2, 0xF2), QColor(0x2A, 0x5F, 0xB0), QColor(0xFF, 0xFF, 0xFF), QColor(0xB9, 0xD1, 0xEE),
            QColor(0x10, 0x1C, 0x2C), QColor(0x80, 0x88, 0x94), QColor(0x1A, 0x4F, 0xA8)};
}

}  // namespace

WindowStyle LoadWindowStyle()
{
    const int stored = QSettings().value(kKey, 0).toInt();
    return stored >= 0 && stored <= 3 ? WindowStyle(stored) : WindowStyle::kBlue;
}

void SaveWindowStyle(WindowStyle style) { QSettings().setValue(kKey, int(style)); }

QPalette PaletteOf(WindowStyle style)
{
    const Colours c = ColoursOf(style);
    QPalette palette;
    palette.setColor(QPalette::Window, c.window);
    palette.setColor(QPalette::WindowText, c.text);
    palette.setColor(QPalette::Base, c.base);
    palette.setColor(QPalette::AlternateBase, c.alternate);
    palette.setColor(QPalette::ToolTipBase, c.base);
    palette.setColor(QPalette::ToolTipText, c.text);
    palette.setColor(QPalette::PlaceholderText, c.disabledText);
    palette.setColor(QPalette::Text, c.text);
    palette.setColor(QPalette::Button, c.button);
    palette.setColor(QPalette::ButtonText, c.text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Highlight, c.highlight);
    palette.setColor(QPalette::HighlightedText, c.highlightedText);
    palette.setColor(QPalette::Link, c.link);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, c.disabledText);
    return palette;
}

QString StyleSheetOf(WindowStyle style)
{
    const Colours c = ColoursOf(style);
    return QStringLiteral("QMenuBar { background: %1; color: %2; }"
                          "QMenuBar::item:selected { background: %3; color: %4; }"
                          "QDockWidget::title { background: %1; color: %2; padding: 3px; }"
                          "QStatusBar { background: %1; color: %2; }")
        .arg(c.bar.name(), c.barText.name(), c.highlight.name(), c.highlightedText.name());
}

void ApplyWindowStyle(QApplication& app, WindowStyle style)
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    QApplication::setPalette(PaletteOf(style));
    app.setStyleSheet(StyleSheetOf(style));
}

}  // namespace ovgUi
