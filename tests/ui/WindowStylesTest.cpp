// The window's four looks: every one readable (text against its background at a contrast of at
// least 4.5, selections too, and disabled text still told apart), and the stored choice read back.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

#include "ui/WindowStyles.h"

namespace {

double Luminance(const QColor& colour)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class WindowStylesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyLookIsReadable()
    {
        using ovgUi::WindowStyle;
        for (const WindowStyle style : {WindowStyle::kBlue, WindowStyle::kBlack, WindowStyle::kSilver, WindowStyle::kAqua}) {
            const QPalette palette = ovgUi::PaletteOf(style);
            const QByteArray name = QByteArray::number(int(style));
            const struct {
                QPalette::ColorRole text, background;
                double least;
            } pairs[] = {{QPalette::WindowText, QPalette::Window, 4.5}, {QPalette::Text, QPalette::Base, 4.5},
                         {QPalette::ButtonText, QPalette::Button, 4.5}, {QPalette::HighlightedText, QPalette::Highlight, 4.5},
                         {QPalette::Text, QPalette::AlternateBase, 4.5}, {QPalette::Link, QPalette::Base, 4.5}};
            for (const auto& pair : pairs)
                QVERIFY2(Contrast(palette.color(pair.text), palette.color(pair.background)) >= pair.least, name);
            // Disabled text is dimmer than enabled text, and still readable as such.
            const double disabled = Contrast(palette.color(QPalette::Disabled, QPalette::WindowText), palette.color(QPalette::Window));
            QVERIFY2(disabled >= 2.0 && disabled < Contrast(palette.color(QPalette::WindowText), palette.color(QPalette::Window)), name);
            QVERIFY2(ovgUi::StyleSheetOf(style).contains(QStringLiteral("QMenuBar")), name);
        }
    }

    void theChoiceIsKeptAndAnUnknownOneIsBlue()
    {
        QSettings().remove(QStringLiteral("Settings/WindowStyle"));
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlue);
        ovgUi::SaveWindowStyle(ovgUi::WindowStyle::kBlack);
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlack);
        QSettings().setValue(QStringLiteral("Settings/WindowStyle"), 9);
        QCOMPARE(ovgUi::LoadWindowStyle(), ovgUi::WindowStyle::kBlue);
        QSettings().remove(QStringLiteral("Settings/WindowStyle"));
    }
};

QTEST_MAIN(WindowStylesTest)
#include "WindowStylesTest.moc"
