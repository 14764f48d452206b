#include "view/qt/ShellDialogs.h"

#include "store/Cp932.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr double kDotsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & kMbIconMask) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct SBoxButton {
    const char* text;
    QMessageBox::ButtonRole role;
    int answer;
};

std::vector<SBoxButton> ButtonsOf(unsigned type) {
    const SBoxButton ok{"OK", QMessageBox::AcceptRole, IDOK};
    const SBoxButton cancel{"キャンセル", QMessageBox::RejectRole, IDCANCEL};
    const SBoxButton yes{"はい(&Y)", QMessageBox::YesRole, IDYES};
    const SBoxButton no{"いいえ(&N)", QMessageBox::NoRole, IDNO};
    switch (type & kMbButtonsMask) {
    case MB_OKCANCEL:
        return {ok, cancel};
    case MB_YESNOCANCEL:
        return {yes, no, cancel};
    case MB_YESNO:
        return {yes, no};
    default:
        return {ok};
    }
}

// One entry of a Windows filter: what the list shows and the patterns.
struct SFilter {
    QString text;
    QString patterns;
};

// "text|pattern|text|pattern||" into its entries; an incomplete pair at the
// end is dropped.
std::vector<SFilter> ParseFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    std::vector<SFilter> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        entries.push_back({parts[i], parts[i + 1]});
    }
    return entries;
}

// The same patterns as Qt matches them: ";" separates patterns on Windows,
// a blank in Qt, and "*.*" means every file there, also those without a dot.
QString QtPatterns(const QString& patterns) {
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : list) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return list.join(QLatin1Char(' '));
}

// The dialog works in points, the font description in pixels; they are
// converted at 96 dots per inch, as the Windows font dialog reckons. The
// dialog's size box holds whole points.
int DialogPoints(double points) {
    return static_cast<int>(std::lround(points));
}

// The font the dialog opens on: the one character import draws with,
// `family` as fontconfig resolves the face name ("IPAGothic" for "ＭＳ
// ゴシック"), not the one Qt would pick for the name ("IPAPGothic").
QFont DialogFont(const CLogFont& font, const std::string& family) {
    QFont initial;
    initial.setFamily(Q(family.empty() ? font.faceName : family));
    if (font.height != 0)
        initial.setPointSize(DialogPoints(std::abs(static_cast<double>(font.height)) *
                                          kPointsPerInch / kDotsPerInch));
    initial.setWeight(
        static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 100, 900)));
    initial.setItalic(font.italic != 0);
    initial.setUnderline(font.underline != 0);
    initial.setStrikeOut(font.strikeOut != 0);
    return initial;
}

// Writes into `font` what the user changed in the dialog, field by field
// against the font it opened on: OK on an unchanged dialog changes nothing,
// and a new size keeps the face name the settings gave.
void TakeChosenFont(const QFont& initial, const QFont& chosen, CLogFont& font) {
    if (chosen.family() != initial.family())
        font.faceName = TruncateToCp932Bytes(chosen.family().toStdString(), kMaxFaceNameBytes);
    if (DialogPoints(chosen.pointSizeF()) != DialogPoints(initial.pointSizeF())) {
        int pixels = chosen.pixelSize();
        if (pixels <= 0)
            pixels = static_cast<int>(chosen.pointSizeF() * kDotsPerInch / kPointsPerInch + 0.5);
        font.height = -std::max(1, pixels);
    }
    if (chosen.weight() != initial.weight())
        font.weight = chosen.weight();
    if (chosen.italic() != initial.italic())
        font.italic = chosen.italic() ? 1 : 0;
    if (chosen.underline() != initial.underline())
        font.underline = chosen.underline() ? 1 : 0;
    if (chosen.strikeOut() != initial.strikeOut())
        font.strikeOut = chosen.strikeOut() ? 1 : 0;
}

std::function<void()>& BeforeMessageBoxAction() {
    static std::function<void()> action;
    return action;
}

} // namespace

CBeforeMessageBox::CBeforeMessageBox(std::function<void()> action)
    : m_previous(std::exchange(BeforeMessageBoxAction(), std::move(action))) {}

CBeforeMessageBox::~CBeforeMessageBox() {
    BeforeMessageBoxAction() = std::move(m_previous);
}

SDialogHooks& DialogHooks() {
    static SDialogHooks hooks;
    return hooks;
}

int ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                   unsigned type) {
    if (BeforeMessageBoxAction())
        BeforeMessageBoxAction()();
    if (DialogHooks().messageBox)
        return DialogHooks().messageBox(text, caption, type);

    QMessageBox box(parent);
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(IconOf(type));
    const std::vector<SBoxButton> buttons = ButtonsOf(type);
    std::vector<QPushButton*> widgets;
    for (const SBoxButton& button : buttons)
        widgets.push_back(box.addButton(QString::fromUtf8(button.text), button.role));
    const size_t defaultButton =
        (type & kMbDefaultButtonMask) == MB_DEFBUTTON2 && widgets.size() > 1 ? 1 : 0;
    box.setDefaultButton(widgets[defaultButton]);
    // Escape answers Cancel where there is one, and otherwise the answer
    // that changes nothing: No, or the only button.
    box.setEscapeButton(widgets.back());
    box.exec();

    for (size_t i = 0; i < widgets.size(); ++i)
        if (box.clickedButton() == widgets[i])
            return buttons[i].answer;
    return buttons.back().answer;
}

std::optional<std::string> ShowFileDialog(QWidget* parent, bool save,
                                          const CFileDialogInfo& request) {
    if (DialogHooks().fileDialog)
        return DialogHooks().fileDialog(save, request);

    QFileDialog dialog(parent);
    // Qt's own dialog, so that it speaks Japanese and shows the filters as given.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(
        Q(request.title.empty() ? (save ? kSaveDialogTitle : kOpenDialogTitle) : request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);

    const std::vector<SFilter> filters = ParseFilter(request.filter);
    QStringList qtFilters;
    for (const SFilter& filter : filters) {
        // Qt reads the patterns from the last parentheses of the entry.
        const QString patterns = QtPatterns(filter.patterns);
        const QString text = filter.text.trimmed();
        qtFilters << (text.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                          ? text
                          : text + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    if (!qtFilters.isEmpty())
        dialog.setNameFilters(qtFilters);
    // The list shows each entry exactly as the program words it.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        const int count = std::min(types->count(), static_cast<int>(filters.size()));
        for (int i = 0; i < count; ++i)
            types->setItemText(i, filters[static_cast<size_t>(i)].text);
    }
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(Q(request.defaultExtension));
    // A proposed name with wildcards ("*.mcr") only narrows the Windows
    // dialog's list, which the filter does here already; given to Qt it would
    // become the name of the file saved.
    const bool wildcards = request.initialName.find_first_of("*?") != std::string::npos;
    if (!request.initialName.empty() && !wildcards)
        dialog.selectFile(Q(request.initialName));

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return QFile::encodeName(files.front()).toStdString();
}

bool ShowFontDialog(QWidget* parent, CLogFont& font, const std::string& family) {
    if (DialogHooks().fontDialog) {
        const std::optional<CLogFont> answer = DialogHooks().fontDialog(font);
        if (answer)
            font = *answer;
        return answer.has_value();
    }

    const QFont initial = DialogFont(font, family);
    QFontDialog dialog(initial, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    TakeChosenFont(initial, dialog.selectedFont(), font);
    return true;
}

QSpinBox* SpinBox(QWidget* parent, int minimum, int maximum, int value) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, QPushButton** ok) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    okButton->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (ok != nullptr)
        *ok = okButton;
    return buttons;
}
