// The "Font" settings as the window reads them: defaults, byte-sized keys,
// the face name's byte limit, one key serving both fonts, never written.

#include "ShellTestSupport.h"

#include "app/qt/MainFrame.h"
#include "app/qt/QtProfile.h"
#include "store/Cp932.h"
#include "store/ProfileFonts.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

#include <memory>

class CProfileTests : public QObject {
    Q_OBJECT

private slots:
    void missingKeysTakeTheDefaults() {
        const CQtProfile profile;
        const CLogFont font16 = ReadImportFont(profile, -16);
        QCOMPARE(font16.height, -16);
        QCOMPARE(font16.width, 0);
        QCOMPARE(font16.weight, 400);
        QCOMPARE(int(font16.charSet), 128);
        QCOMPARE(int(font16.outPrecision), 3);
        QCOMPARE(int(font16.clipPrecision), 2);
        QCOMPARE(int(font16.quality), 1);
        QCOMPARE(int(font16.pitchAndFamily), 49);
        QCOMPARE(font16.faceName, std::string("ＭＳ ゴシック"));
        QCOMPARE(ReadImportFont(profile, -32).height, -32);
    }

    void storedKeysAreCutAndServeBothFonts() {
        // One byte and then two-byte characters: the cut falls exactly at 31.
        const std::string longName = "Aとても長い名前の日本語フォントファミリー";
        {
            QSettings settings(QString::fromUtf8(kSettingsOrganization),
                               QString::fromUtf8(kSettingsApplication));
            settings.setValue("Font/lfCharSet", 384);
            settings.setValue("Font/lfHeight", -20);
            settings.setValue("Font/lfItalic", 257);
            settings.setValue("Font/lfWeight", "700");
            settings.setValue("Font/lfWidth", "wide");
            settings.setValue("Font/lfFaceName", QString::fromStdString(longName));
        }
        const CQtProfile profile;
        const CLogFont font = ReadImportFont(profile, -16);
        QCOMPARE(int(font.charSet), 128);
        QCOMPARE(font.height, -20);
        QCOMPARE(ReadImportFont(profile, -32).height, -20);
        QCOMPARE(int(font.italic), 1);
        QCOMPARE(font.weight, 700);
        QCOMPARE(font.width, 0); // not a number: the default
        QCOMPARE(Cp932Length(font.faceName), 31);
        QVERIFY(longName.starts_with(font.faceName));

        // The window's form reads them once as it is made, and nothing
        // writes them back.
        auto frame = std::make_unique<CMainFrame>();
        frame->NewDocument();
        const CScreenStore& s = frame->View()->Core().Store();
        QCOMPARE(s.m_logFont16.height, -20);
        QCOMPARE(s.m_logFont32.height, -20);
        QCOMPARE(s.m_logFont32.faceName, font.faceName);
        frame->close();
        frame.reset();
        QSettings settings(QString::fromUtf8(kSettingsOrganization),
                           QString::fromUtf8(kSettingsApplication));
        QCOMPARE(settings.value("Font/lfCharSet").toInt(), 384);
        QCOMPARE(settings.value("Font/lfFaceName").toString(), QString::fromStdString(longName));
    }
};

GLOWMOTION_SHELL_TEST_MAIN(CProfileTests)

#include "ProfileTests.moc"
