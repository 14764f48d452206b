// The exchange commands of the Tools menu in the window: the export dialog's
// fields, an export and a GIF import carried out from the menu, and the
// import dialog's live preview.

#include "ShellTestSupport.h"

#include "app/qt/ExchangeCommands.h"
#include "app/qt/ExportDlg.h"
#include "app/qt/WiringEditor.h"
#include "app/qt/ExportSettings.h"
#include "app/qt/QtProfile.h"
#include "app/qt/GifImportDlg.h"
#include "app/qt/MainFrame.h"
#include "edit/GifWriter.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"
#include "view/qt/ShellDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Screens 1..count of a bank; screen n has dots (n, 0) and (0, n % 32) lit.
std::vector<Word> Numbered(int count) {
    std::vector<Word> words(static_cast<size_t>(count) * kWordsPerScreen, 0);
    for (int n = 1; n <= count; ++n) {
        SetDot(words.data() + (n - 1) * kWordsPerScreen, n % 48, 0);
        SetDot(words.data() + (n - 1) * kWordsPerScreen, 0, n % 32);
    }
    return words;
}

int Lit(const std::array<Word, kWordsPerScreen>& screen) {
    int lit = 0;
    for (const Word word : screen)
        lit += std::popcount(word);
    return lit;
}

} // namespace

class CExchangeTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_frame = std::make_unique<CMainFrame>();
        m_frame->NewDocument();
        CScreenStore& s = m_frame->View()->Core().Store();
        const std::vector<Word> words = Numbered(12);
        std::copy(words.begin(), words.end(), s.m_banks[0].begin());
        s.m_screenCount[0] = s.m_displayedCount[0] = 12;
        // Every test starts without the choices of earlier exports.
        QSettings(QString::fromUtf8(kSettingsOrganization), QString::fromUtf8(kSettingsApplication))
            .remove(QStringLiteral("Export"));
    }
    void cleanup() {
        ExchangeDialogHook() = nullptr;
        ExchangeProgressDelayMs() = 400;
        m_frame->Doc().SetModifiedFlag(false);
        m_frame.reset();
    }

    void exportDialogShowsWhatTheFormatNeeds() {
        CExportDlg gif(EExportFormat::Gif, 12);
        QCOMPARE(gif.windowTitle(), QString::fromUtf8("GIFアニメ保存"));
        QCOMPARE(gif.FromBox()->value(), 1);
        QCOMPARE(gif.ToBox()->value(), 12);
        QCOMPARE(gif.ScaleBox()->value(), 8);
        QCOMPARE(gif.DelayBox()->value(), 100);
        QVERIFY(gif.ColumnsBox() == nullptr && gif.LayoutBox() == nullptr);
        // The range cannot run backwards.
        gif.ToBox()->setValue(4);
        gif.FromBox()->setValue(9);
        QCOMPARE(gif.FromBox()->value(), 4);
        gif.StyleBox()->setCurrentIndex(1);
        const SExportOptions options = gif.Options();
        QCOMPARE(options.from, 4);
        QCOMPARE(options.to, 4);
        QVERIFY(options.render.style == ERenderStyle::Pixel);

        CExportDlg png(EExportFormat::Png, 3);
        QCOMPARE(png.ColumnsBox()->value(), 10);
        QVERIFY(png.DelayBox() == nullptr);

        CExportDlg source(EExportFormat::CSource, 3);
        QVERIFY(source.ScaleBox() == nullptr && source.StyleBox() == nullptr);
        source.NameEdit()->setText(QStringLiteral("1frames"));
        QVERIFY(!source.OkButton()->isEnabled());
        source.NameEdit()->setText(QStringLiteral("frames1"));
        QVERIFY(source.OkButton()->isEnabled());
        source.LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Columns));
        QVERIFY(source.Options().layout == EDotLayout::Columns);
        QCOMPARE(source.Options().name, std::string("frames1"));
    }

    void exportFromTheMenuWritesTheChosenRange() {
        CDialogScript dialogs;
        const QString path = m_dir.filePath("part.bin");
        dialogs.files.push_back(path.toStdString());
        bool asked = false;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            auto* options = qobject_cast<CExportDlg*>(&dialog);
            asked = options != nullptr;
            if (options != nullptr) {
                options->FromBox()->setValue(2);
                options->ToBox()->setValue(3);
                options->LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Columns));
            }
            return true;
        };
        m_frame->Action(ID_EXPORT_CSOURCE)->trigger();
        QVERIFY(asked);
        QCOMPARE(dialogs.fileDialogs.size(), size_t{1});
        QCOMPARE(dialogs.fileDialogs[0].initialName, std::string("無題.h"));
        QCOMPARE(dialogs.fileDialogs[0].defaultExtension, std::string("h"));
        // A .bin name writes the raw column words of screens 2 and 3.
        const QByteArray written = ReadFileBytes(path);
        QCOMPARE(written.size(), 2 * 192);
        QCOMPARE(written.left(4), QByteArray("\x00\x00\x00\x20", 4)); // screen 2: (0, 2)
        QVERIFY(dialogs.messages.empty());

        // Cancelled in the dialog: no file dialog, nothing written.
        ExchangeDialogHook() = [](QDialog&) { return false; };
        m_frame->Action(ID_EXPORT_GIF)->trigger();
        QCOMPARE(dialogs.fileDialogs.size(), size_t{1});

        // An animated GIF of the whole bank.
        ExchangeDialogHook() = [](QDialog&) { return true; };
        const QString gif = m_dir.filePath("all.gif");
        dialogs.files.push_back(gif.toStdString());
        m_frame->Action(ID_EXPORT_GIF)->trigger();
        QCOMPARE(ReadFileBytes(gif).left(6), QByteArray("GIF89a"));
        QVERIFY(!m_frame->Doc().IsModified());
    }

    void exportDialogsKeepTheirChoicesAndFolder() {
        CDialogScript dialogs;
        // Each dialog in turn: what it shows, then what is chosen in it.
        std::vector<std::function<void(CExportDlg&)>> steps = {
            [](CExportDlg& gif) {
                QCOMPARE(gif.DelayBox()->value(), 100);
                gif.StyleBox()->setCurrentIndex(1);
                gif.ScaleBox()->setValue(3);
                gif.DelayBox()->setValue(250);
                gif.FromBox()->setValue(5);
            },
            [](CExportDlg& png) {
                // Style and scale are shared with the GIF; the range is not kept.
                QCOMPARE(png.StyleBox()->currentIndex(), 1);
                QCOMPARE(png.ScaleBox()->value(), 3);
                QCOMPARE(png.FromBox()->value(), 1);
                png.ColumnsBox()->setValue(4);
            },
            [](CExportDlg& source) {
                QCOMPARE(source.LayoutBox()->currentIndex(), 0);
                source.LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Columns));
                source.NameEdit()->setText(QStringLiteral("logo"));
            },
            [](CExportDlg& gif) {
                QCOMPARE(gif.StyleBox()->currentIndex(), 1);
                QCOMPARE(gif.ScaleBox()->value(), 3);
                QCOMPARE(gif.DelayBox()->value(), 250);
            },
            [](CExportDlg& png) { QCOMPARE(png.ColumnsBox()->value(), 4); },
            [](CExportDlg& source) {
                QCOMPARE(source.LayoutBox()->currentIndex(), static_cast<int>(EDotLayout::Columns));
                QCOMPARE(source.NameEdit()->text(), QString());
            },
        };
        size_t step = 0;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            auto* options = qobject_cast<CExportDlg*>(&dialog);
            if (options == nullptr || step >= steps.size())
                return false;
            steps[step++](*options);
            return true;
        };
        QTemporaryDir exports, documents;
        const int commands[] = {ID_EXPORT_GIF, ID_EXPORT_PNG, ID_EXPORT_CSOURCE};
        for (int round = 0; round < 2; ++round) {
            for (const int id : commands) {
                dialogs.files.push_back(
                    exports.filePath(QStringLiteral("out%1").arg(id)).toStdString());
                m_frame->Action(id)->trigger();
            }
        }
        QCOMPARE(step, steps.size());
        QVERIFY(dialogs.messages.empty());
        QSettings settings(QString::fromUtf8(kSettingsOrganization),
                           QString::fromUtf8(kSettingsApplication));
        QCOMPARE(settings.value(QStringLiteral("Export/Style")).toString(),
                 QStringLiteral("pixel"));
        QCOMPARE(settings.value(QStringLiteral("Export/Scale")).toInt(), 3);
        QCOMPARE(settings.value(QStringLiteral("Export/Delay")).toInt(), 250);
        QCOMPARE(settings.value(QStringLiteral("Export/Columns")).toInt(), 4);
        QCOMPARE(settings.value(QStringLiteral("Export/Layout")).toString(),
                 QStringLiteral("columns"));

        // An untitled document: the first export proposes a bare name, the
        // next ones the folder the last export went to.
        QCOMPARE(dialogs.fileDialogs.size(), size_t{6});
        QCOMPARE(dialogs.fileDialogs[0].initialName, std::string("無題.gif"));
        const std::string folder = QFileInfo(exports.path()).absoluteFilePath().toStdString();
        QCOMPARE(dialogs.fileDialogs[1].initialName, folder + "/無題.png");
        // A saved document: the folder of its file.
        dialogs.files.push_back(documents.filePath(QStringLiteral("sign.qvl")).toStdString());
        m_frame->OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(m_frame->Doc().PathName(),
                 documents.filePath(QStringLiteral("sign.qvl")).toStdString());
        steps = {[](CExportDlg&) {}};
        step = 0;
        dialogs.files.push_back(std::nullopt);
        m_frame->Action(ID_EXPORT_GIF)->trigger();
        QCOMPARE(dialogs.fileDialogs.back().initialName,
                 documents.filePath(QStringLiteral("sign.gif")).toStdString());

        // Values out of range or unknown are not taken.
        settings.setValue(QStringLiteral("Export/Scale"), 99);
        settings.setValue(QStringLiteral("Export/Style"), QStringLiteral("neon"));
        settings.sync();
        SExportOptions read;
        ReadExportSettings(read);
        QCOMPARE(read.render.scale, kDefaultRenderScale);
        QVERIFY(read.render.style == ERenderStyle::Led);
        QCOMPARE(read.delayMs, 250);
    }

    void cSourceDialogKeepsLayoutWiringAndProgmem() {
        SExportOptions kept =
            DefaultExportOptions(m_frame->View()->Core().Store(), EExportFormat::CSource);
        ReadExportSettings(kept);
        CExportDlg first(EExportFormat::CSource, 12, kept);
        QCOMPARE(first.LayoutBox()->count(), 5);
        QCOMPARE(first.LayoutBox()->currentIndex(), static_cast<int>(EDotLayout::Rows));
        QVERIFY(!first.ProgmemCheck()->isChecked());
        // The wiring is a strip's alone.
        const auto wiringEnabled = [](const CExportDlg& dialog) {
            return dialog.WiringEditor()->OriginBox()->isEnabled() &&
                   dialog.WiringEditor()->ScanBox()->isEnabled() &&
                   dialog.WiringEditor()->SerpentineCheck()->isEnabled();
        };
        const auto wiringDisabled = [](const CExportDlg& dialog) {
            return !dialog.WiringEditor()->OriginBox()->isEnabled() &&
                   !dialog.WiringEditor()->ScanBox()->isEnabled() &&
                   !dialog.WiringEditor()->SerpentineCheck()->isEnabled();
        };
        QVERIFY(wiringDisabled(first));
        first.LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Strip));
        QVERIFY(wiringEnabled(first));
        first.WiringEditor()->OriginBox()->setCurrentIndex(
            static_cast<int>(EWiringOrigin::BottomRight));
        first.WiringEditor()->ScanBox()->setCurrentIndex(static_cast<int>(EWiringScan::Columns));
        first.WiringEditor()->SerpentineCheck()->setChecked(true);
        first.ProgmemCheck()->setChecked(true);
        const SExportOptions chosen = first.Options();
        QVERIFY(chosen.layout == EDotLayout::Strip);
        QVERIFY((chosen.wiring == SWiring{EWiringOrigin::BottomRight, EWiringScan::Columns, true}));
        QVERIFY(chosen.progmem);
        WriteExportSettings(chosen);

        QSettings settings(QString::fromUtf8(kSettingsOrganization),
                           QString::fromUtf8(kSettingsApplication));
        const std::pair<const char*, const char*> stored[] = {{"Export/Layout", "strip"},
                                                              {"Export/Origin", "br"},
                                                              {"Export/Scan", "columns"},
                                                              {"Export/Serpentine", "true"},
                                                              {"Export/Progmem", "true"}};
        for (const auto& [key, value] : stored)
            QCOMPARE(settings.value(QString::fromLatin1(key)).toString(),
                     QString::fromLatin1(value));

        // The next dialog starts with them; another layout keeps the wiring
        // but greys it.
        SExportOptions read =
            DefaultExportOptions(m_frame->View()->Core().Store(), EExportFormat::CSource);
        ReadExportSettings(read);
        CExportDlg second(EExportFormat::CSource, 12, read);
        QCOMPARE(second.LayoutBox()->currentIndex(), static_cast<int>(EDotLayout::Strip));
        QCOMPARE(second.WiringEditor()->OriginBox()->currentIndex(),
                 static_cast<int>(EWiringOrigin::BottomRight));
        QCOMPARE(second.WiringEditor()->ScanBox()->currentIndex(),
                 static_cast<int>(EWiringScan::Columns));
        QVERIFY(second.WiringEditor()->SerpentineCheck()->isChecked() &&
                second.ProgmemCheck()->isChecked());
        QVERIFY(wiringEnabled(second));
        second.LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Pages));
        QVERIFY(wiringDisabled(second));
        QVERIFY(second.Options().wiring == chosen.wiring);

        // Every layout's name, the old two among them, reads back; unknown
        // words leave the field alone.
        for (const EDotLayout layout : kDotLayouts) {
            settings.setValue(QStringLiteral("Export/Layout"),
                              QString::fromLatin1(LayoutName(layout)));
            settings.sync();
            SExportOptions options;
            ReadExportSettings(options);
            QVERIFY(options.layout == layout);
        }
        settings.setValue(QStringLiteral("Export/Origin"), QStringLiteral("middle"));
        settings.setValue(QStringLiteral("Export/Serpentine"), QStringLiteral("maybe"));
        settings.sync();
        SExportOptions odd;
        odd.wiring.serpentine = true;
        ReadExportSettings(odd);
        QVERIFY(odd.wiring.origin == EWiringOrigin::TopLeft && odd.wiring.serpentine);
    }

    void cSourceCommandWritesAnXbmOfTheRangesFirstScreen() {
        CDialogScript dialogs;
        const QString path = m_dir.filePath(QStringLiteral("sign.xbm"));
        dialogs.files.push_back(path.toStdString());
        ExchangeDialogHook() = [](QDialog& dialog) {
            if (auto* options = qobject_cast<CExportDlg*>(&dialog)) {
                options->FromBox()->setValue(4);
                options->ToBox()->setValue(6);
                // What a C file would take counts for nothing here.
                options->LayoutBox()->setCurrentIndex(static_cast<int>(EDotLayout::Strip));
                options->ProgmemCheck()->setChecked(true);
            }
            return true;
        };
        m_frame->Action(ID_EXPORT_CSOURCE)->trigger();
        QCOMPARE(dialogs.fileDialogs.size(), size_t{1});
        QVERIFY(dialogs.fileDialogs[0].filter.find("*.xbm") != std::string::npos);
        QVERIFY(dialogs.messages.empty());
        const QByteArray xbm = ReadFileBytes(path);
        QVERIFY(xbm.startsWith("#define sign_width 48\n#define sign_height 32\n"
                               "static unsigned char sign_bits[] = {\n"));
        // Screen 4 lights (4, 0) and (0, 4): bytes 0 and 24 (the first of
        // rows 0 and 4, the first value of lines 1 and 3), the leftmost dot
        // in the low bit.
        const QList<QByteArray> lines = xbm.split('\n');
        QVERIFY(lines.size() > 5);
        QVERIFY(lines[3].startsWith("   0x10, 0x00,"));
        QVERIFY(lines[5].startsWith("   0x01, 0x00,"));
        QCOMPARE(xbm.count("0x00"), 190);
        QVERIFY(!xbm.contains("PROGMEM"));
    }

    void progressClosesBeforeAnyMessage() {
        CDialogScript dialogs;
        ExchangeProgressDelayMs() = 0;
        // The progress dialogs that stand over the message when it comes.
        int shownOverMessage = -1;
        int messages = 0;
        DialogHooks().messageBox = [&](const std::string&, const std::string&, unsigned) {
            ++messages;
            shownOverMessage = 0;
            for (QProgressDialog* progress : m_frame->findChildren<QProgressDialog*>())
                if (progress->isVisible())
                    ++shownOverMessage;
            return IDOK;
        };
        ExchangeDialogHook() = [](QDialog&) { return true; };
        // A folder that does not exist: the file is refused after it is made.
        dialogs.files.push_back(m_dir.filePath(QStringLiteral("no/such.gif")).toStdString());
        bool progressShown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (QProgressDialog* progress : m_frame->findChildren<QProgressDialog*>())
                progressShown = progressShown || progress->isVisible();
        });
        watch.start(0);
        m_frame->Action(ID_EXPORT_GIF)->trigger();
        QCOMPARE(messages, 1);
        QVERIFY(progressShown);
        QCOMPARE(shownOverMessage, 0);
    }

    void importChecksTheRoomBeforeItsDialog() {
        CDialogScript dialogs;
        const std::vector<Word> frames = Numbered(40);
        std::string gif;
        QVERIFY(EncodeGifAnimation(frames.data(), 40, SRenderOptions{ERenderStyle::Pixel, 1}, 100,
                                   {}, gif) == EEncodeStatus::Done);
        const QString path = m_dir.filePath(QStringLiteral("forty.gif"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(gif.data(), static_cast<qint64>(gif.size()));
        file.close();

        CScreenStore& s = m_frame->View()->Core().Store();
        s.m_screenCount[0] = s.m_displayedCount[0] = 780;
        m_frame->View()->Dispatcher().OnClick(IDC_LAST_SCREEN); // screen 780
        dialogs.files.push_back(path.toStdString());
        bool asked = false;
        ExchangeDialogHook() = [&](QDialog&) { return asked = true; };
        m_frame->Action(ID_IMPORT_GIF)->trigger();
        QVERIFY(!asked);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, std::string("スクリーン枚数がオーバーしました。"));
        QVERIFY(m_frame->findChildren<QProgressDialog*>().isEmpty());
        QCOMPARE(s.m_screenCount[0], 780);
        QVERIFY(!m_frame->Doc().IsModified());
    }

    void importFromTheMenuPreviewsAndWrites() {
        CDialogScript dialogs;
        const std::vector<Word> frames = Numbered(3);
        std::string gif;
        QVERIFY(EncodeGifAnimation(frames.data(), 3, SRenderOptions{}, 100, {}, gif) ==
                EEncodeStatus::Done);
        const QString path = m_dir.filePath("in.gif");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(gif.data(), static_cast<qint64>(gif.size()));
        file.close();

        CQuorvelView* view = m_frame->View();
        view->Dispatcher().OnClick(IDC_LAST_SCREEN); // screen 12
        dialogs.files.push_back(path.toStdString());
        std::array<Word, kWordsPerScreen> preview{};
        int previewAtZero = -1;
        ExchangeDialogHook() = [&](QDialog& dialog) {
            auto* options = qobject_cast<CGifImportDlg*>(&dialog);
            if (options == nullptr)
                return false;
            preview = options->Preview()->Screen();
            // The preview follows the threshold at once.
            options->ThresholdSlider()->setValue(0);
            previewAtZero = Lit(options->Preview()->Screen());
            options->ThresholdBox()->setValue(128);
            return true;
        };
        m_frame->Action(ID_IMPORT_GIF)->trigger();
        QCOMPARE(dialogs.fileDialogs.size(), size_t{1});
        QCOMPARE(dialogs.fileDialogs[0].filter,
                 std::string("GIF ﾌｧｲﾙ (*.gif)|*.gif|すべてのﾌｧｲﾙ (*.*)|*.*||"));
        QVERIFY(std::equal(preview.begin(), preview.end(), frames.begin()));
        QCOMPARE(previewAtZero, 48 * 32);

        const CScreenStore& s = view->Core().Store();
        QCOMPARE(s.m_screenCount[0], 14);
        QCOMPARE(s.m_currentScreen, 12);
        QVERIFY(std::equal(frames.begin(), frames.end(), s.ScreenAt(0, 12).data()));
        QVERIFY(m_frame->Doc().IsModified());
        QVERIFY(dialogs.messages.empty());

        // A file that is no GIF is refused before the options are asked.
        const QString text = m_dir.filePath("not.gif");
        QFile other(text);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("plain text");
        other.close();
        dialogs.files.push_back(text.toStdString());
        bool asked = false;
        ExchangeDialogHook() = [&](QDialog&) { return asked = true; };
        m_frame->Action(ID_IMPORT_GIF)->trigger();
        QVERIFY(!asked);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, std::string("GIFファイルではありません。"));
        QCOMPARE(s.m_screenCount[0], 14);
    }

    void importDialogOptions() {
        SGreyImage image;
        image.width = 96;
        image.height = 32;
        image.pixels.assign(96 * 32, 255);
        CGifImportDlg dialog(image);
        QCOMPARE(Lit(dialog.Preview()->Screen()), 48 * 32);
        dialog.FitBox()->setCurrentIndex(1); // keep the shape: 48 x 16
        QCOMPARE(Lit(dialog.Preview()->Screen()), 48 * 16);
        dialog.InvertBox()->setChecked(true);
        QCOMPARE(Lit(dialog.Preview()->Screen()), 0);
        const SDotOptions options = dialog.Options();
        QVERIFY(options.invert);
        QVERIFY(options.fit == EFit::Contain);
        QCOMPARE(options.threshold, 128);
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
    QTemporaryDir m_dir;
};

GLOWMOTION_SHELL_TEST_MAIN(CExchangeTests)
#include "ExchangeTests.moc"
