// The macro panel of the window: recording, inserting, deleting and playing
// through its real buttons and list, and the macro file dialogs.

#include "ShellTestSupport.h"

#include "app/DocumentCommands.h"
#include "app/QuorvelDoc.h"
#include "store/CommandIds.h"
#include "view/qt/QuorvelView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

constexpr int kMacroButtons[] = {IDC_MACRO_START, IDC_MACRO_SAVE,   IDC_MACRO_RECORD,
                                 IDC_MACRO_LOAD,  IDC_MACRO_INS,    IDC_MACRO_DEL,
                                 IDC_MACRO_CLEAR, IDC_MACRO_EXPORT, IDC_OPTIMIZE};

} // namespace

class CMacroTests : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SViewUnderTest started = StartView();
        m_doc = std::move(started.doc);
        m_view = std::move(started.view);
    }
    void cleanup() {
        m_view.reset();
        m_doc.reset();
    }

    void recordInsertDeleteAndPlayThroughTheButtons() {
        const CScreenStore& s = m_view->Core().Store();
        QListWidget* list = m_view->MacroList();
        Press(IDC_MACRO_RECORD);
        Press(IDC_SELECT2);
        Press(IDC_SELECT3);
        Press(IDC_LAST_SCREEN);

        // "MacroIns" before the second line locks the nine buttons until the
        // next step; a locked button does nothing when clicked.
        ChooseLine(1);
        Press(IDC_MACRO_INS);
        QCOMPARE(EnabledButtons(), 0);
        QVERIFY(m_view->Control(IDC_MACRO_BREAK)->isEnabled());
        QVERIFY(list->isEnabled());
        Press(IDC_MACRO_CLEAR);
        QCOMPARE(list->count(), 3);
        Press(IDC_SELECT1);
        QCOMPARE(EnabledButtons(), 9);
        QCOMPARE(s.m_macroCode, std::string("10,9,11,7,"));
        QCOMPARE(list->item(1)->text(), QString::fromUtf8("セレクト１"));
        QCOMPARE(list->currentRow(), 2);

        ChooseLine(3);
        Press(IDC_MACRO_DEL);
        QCOMPARE(list->count(), 3);
        QCOMPARE(s.m_macroCode, std::string("10,9,11,"));
        QCOMPARE(qobject_cast<QLineEdit*>(m_view->Control(IDC_STEP_COUNT))->text(),
                 QStringLiteral("3"));

        // Playing records nothing and ends on select3.
        Press(IDC_MACRO_START);
        QCOMPARE(s.m_currentBank, 2);
        QVERIFY(qobject_cast<QAbstractButton*>(m_view->Control(IDC_SELECT3))->isChecked());
        QCOMPARE(s.m_macroCode, std::string("10,9,11,"));
        QCOMPARE(list->count(), 3);
    }

    void saveDialogTakesTheExtensionAndLoadBringsTheMacroBack() {
        Press(IDC_MACRO_RECORD);
        Press(IDC_SELECT3);
        const QString typed = m_dir.filePath("typed");
        bool checked = false;
        // The real dialog: "*.mcr" is left to the filter, the name starts empty.
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, [&, poll] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QLineEdit* name =
                dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (name == nullptr)
                return;
            poll->deleteLater();
            poll->stop();
            checked = dialog->nameFilters() == QStringList{QString::fromUtf8("ﾏｸﾛ ﾌｧｲﾙ (*.mcr)")} &&
                      dialog->defaultSuffix() == QStringLiteral("mcr") &&
                      !dialog->testOption(QFileDialog::DontConfirmOverwrite) &&
                      name->text().isEmpty();
            name->setText(typed);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        poll->start(10);
        Press(IDC_MACRO_SAVE);
        QVERIFY(checked);
        QCOMPARE(ReadFileBytes(typed + QStringLiteral(".mcr")), QByteArray("11,"));

        Press(IDC_MACRO_CLEAR);
        QCOMPARE(m_view->MacroList()->count(), 0);
        CDialogScript script;
        script.files = {(typed + QStringLiteral(".mcr")).toStdString()};
        Press(IDC_MACRO_LOAD);
        QCOMPARE(m_view->MacroList()->count(), 1);
        QCOMPARE(m_view->MacroList()->item(0)->text(), QString::fromUtf8("セレクト３"));
    }

private:
    void Press(int id) {
        auto* button = qobject_cast<QAbstractButton*>(m_view->Control(id));
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void ChooseLine(int row) {
        QListWidget* list = m_view->MacroList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QCOMPARE(m_view->Core().Store().m_macroSelection, row);
    }

    int EnabledButtons() const {
        int enabled = 0;
        for (const int id : kMacroButtons)
            enabled += m_view->Control(id)->isEnabled() ? 1 : 0;
        return enabled;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CQuorvelDoc> m_doc;
    std::unique_ptr<CQuorvelView> m_view;
};

GLOWMOTION_SHELL_TEST_MAIN(CMacroTests)

#include "MacroTests.moc"
