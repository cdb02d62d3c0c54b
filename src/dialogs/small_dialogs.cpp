#include "dialogs/small_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "graphics/display.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QDialogButtonBox* OkCancel(clDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// A check box's caption that wraps to the dialog's width: a click on it
// works the box, as a click on a check box's own caption does.
class clBoxCaption final : public QLabel {
public:
    clBoxCaption(const QString& text, QCheckBox* box, QWidget* parent)
        : QLabel(text, parent), box(box) {
        setWordWrap(true);
        setTextFormat(Qt::PlainText);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            box->click();
    }

private:
    QCheckBox* box;
};

}  // namespace

clPromptDialog::clPromptDialog(QWidget* parent, const std::string& text, const std::string& caption,
                               bool beep, const std::string& option)
    : clDialog(parent), message(new QLabel(FromUtf8(text), this)), beep(beep) {
    setWindowTitle(FromUtf8(caption));
    message->setWordWrap(true);
    message->setMinimumWidth(280);
    auto* buttons = new QDialogButtonBox(this);
    yesButton = buttons->addButton(QStringLiteral("Yes"), QDialogButtonBox::AcceptRole);
    noButton = buttons->addButton(QStringLiteral("No"), QDialogButtonBox::RejectRole);
    yesButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    if (!option.empty()) {
        optionBox = new QCheckBox(this);
        optionBox->setAccessibleName(FromUtf8(option));
        optionCaption = new clBoxCaption(FromUtf8(option), optionBox, this);
        auto* row = new QHBoxLayout;
        row->addWidget(optionBox, 0, Qt::AlignTop);
        row->addWidget(optionCaption, 1);
        layout->addSpacing(message->fontMetrics().height() / 2);
        layout->addLayout(row);
    }
    layout->addWidget(buttons);
}

bool clPromptDialog::OptionChosen() const {
    return optionBox && optionBox->isChecked();
}

void clPromptDialog::OnInit() {
    if (beep) QApplication::beep();
}

clNameDialog::clNameDialog(QWidget* parent, const std::string& caption, const std::string& prompt,
                           const std::string& text)
    : clDialog(parent), edit(new QLineEdit(this)) {
    setWindowTitle(FromUtf8(caption));
    edit->setMaxLength(kMaxLength);
    edit->setText(FromUtf8(text));
    auto* label = new QLabel(FromUtf8(prompt), this);
    label->setWordWrap(true);
    label->setBuddy(edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(OkCancel(this));
    setMinimumWidth(320);
}

std::string clNameDialog::Text() const {
    return edit->text().toStdString();
}

void clNameDialog::OnInit() {
    edit->selectAll();
    edit->setFocus();
}

// A name of nothing but blanks is no name either.
bool clNameDialog::OnOK() {
    return !edit->text().trimmed().isEmpty();
}

std::optional<std::string> clFirstPlayerPrompt::AskPlayerName(std::string_view suggestion) {
    clNameDialog dialog(over, "Qarvel", clNameDialog::kFirstStartText, std::string(suggestion));
    // The splash stays above other windows; the question must not go behind it.
    if (over) dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (!dialog.DoModal()) return std::nullopt;
    return dialog.Text();
}

bool clCustomSizeDialog::lastChoiceNative = true;

clCustomSizeDialog::clCustomSizeDialog(QWidget* parent, const clCardSetInfo* cardSet,
                                       clPictureSize current)
    : clDialog(parent),
      nativeButton(new QRadioButton(QStringLiteral("Native size:"), this)),
      customButton(new QRadioButton(QStringLiteral("Custom size:"), this)),
      sets(new QComboBox(this)),
      widthBox(new QSpinBox(this)),
      heightBox(new QSpinBox(this)),
      current(current) {
    setWindowTitle(QStringLiteral("Custom Card Size"));
    if (cardSet) {
        const std::vector<clPictureSize>& sizes = cardSet->CardSizes();
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            sets->addItem(QStringLiteral("Set #%1: %2 x %3")
                              .arg(k + 1)
                              .arg(sizes[k].width)
                              .arg(sizes[k].height));
        }
    }
    // Typed sizes stay within what the display can make.
    for (QSpinBox* box : {widthBox, heightBox})
        box->setRange(1, clDisplay::kMaxCardSide);
    auto* grid = new QGridLayout;
    grid->addWidget(nativeButton, 0, 0);
    grid->addWidget(sets, 0, 1, 1, 3);
    grid->addWidget(customButton, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Width:"), this), 1, 1);
    grid->addWidget(widthBox, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Height:"), this), 2, 1);
    grid->addWidget(heightBox, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this));
    connect(nativeButton, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
}

void clCustomSizeDialog::OnInit() {
    nativeButton->setChecked(lastChoiceNative);
    customButton->setChecked(!lastChoiceNative);
    sets->setCurrentIndex(sets->count() > 0 ? 0 : -1);
    widthBox->setValue(current.width);
    heightBox->setValue(current.height);
    UpdateEnabling();
}

void clCustomSizeDialog::UpdateEnabling() {
    const bool nativeOn = nativeButton->isChecked();
    sets->setEnabled(nativeOn);
    widthBox->setEnabled(!nativeOn);
    heightBox->setEnabled(!nativeOn);
}

// A file without sizes of its own leaves only a typed size.
bool clCustomSizeDialog::OnOK() {
    native = nativeButton->isChecked();
    if (native && sets->currentIndex() < 0) return false;
    lastChoiceNative = native;
    nativeSet = sets->currentIndex();
    customSize = {widthBox->value(), heightBox->value()};
    return true;
}

clSolitaireDialog::clSolitaireDialog(QWidget* parent, const std::string& gameName, bool favorite,
                                     bool offersAutoPlay, bool autoPlay)
    : clDialog(parent),
      favoriteBox(new QCheckBox(QStringLiteral("Include in Favorites"), this)),
      autoPlayBox(new QCheckBox(QStringLiteral("Enable AutoPlay"), this)),
      favorite(favorite),
      offersAutoPlay(offersAutoPlay),
      autoPlay(autoPlay) {
    setWindowTitle(gameName.empty() ? QStringLiteral("Solitaire") : FromUtf8(gameName));
    autoPlayBox->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(favoriteBox);
    layout->addWidget(autoPlayBox);
    layout->addWidget(OkCancel(this));
}

void clSolitaireDialog::OnInit() {
    favoriteBox->setChecked(favorite);
    if (offersAutoPlay) {
        autoPlayBox->setEnabled(true);
        autoPlayBox->setChecked(autoPlay);
    }
}

bool clSolitaireDialog::Favorite() const {
    return favoriteBox->isChecked();
}

// Only a game that offers AutoPlay has its flag changed.
bool clSolitaireDialog::AutoPlay() const {
    return offersAutoPlay ? autoPlayBox->isChecked() : autoPlay;
}
