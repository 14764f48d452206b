// The exchange commands of the Tools menu in the window: the export dialog's
// fields, an export and a GIF import carried out from the menu, and the
// import dialog's live preview.

#include "ShellTestSupport.h"

#include "app/qt/ExchangeCommands.h"
#include "app/qt/ExportDlg.h"
#include "app/qt/GifImportDlg.h"
#include "app/qt/MainFrame.h"
#include "edit/GifWriter.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

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
    }
    void cleanup() {
        ExchangeDialogHook() = nullptr;
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
        source.LayoutBox()->setCurrentIndex(1);
        QVERIFY(source.Options().layout == EFrameLayout::Columns);
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
                options->LayoutBox()->setCurrentIndex(1);
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
