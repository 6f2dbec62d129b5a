#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "ui/themes.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSwatchSize = 14;

const QString kLengthHint =
    u"Длина — знаки после фокусной буквы. Множитель удлиняет или укорачивает показ слова."_s;

QGroupBox* group(const QString& title, QFormLayout*& form) {
    auto* box = new QGroupBox(title);
    form = new QFormLayout(box);
    return box;
}

// A threshold and its factor on one row.
QWidget* pair(QWidget* threshold, QWidget* factor) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(threshold);
    layout->addWidget(factor);
    return row;
}

int hundredths(const QDoubleSpinBox* box) {
    return static_cast<int>(std::lround(box->value() * 100));
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(u"settingsDialog"_s);
    setWindowTitle(u"Настройки чтения"_s);
    setModal(false);
    auto* columns = new QHBoxLayout;
    columns->addWidget(pausesGroup());
    auto* right = new QVBoxLayout;
    right->addWidget(flashGroup());
    right->addWidget(speedGroup());
    right->addWidget(lookGroup());
    right->addStretch();
    columns->addLayout(right);

    auto* defaults = new QPushButton(u"По умолчанию"_s);
    defaults->setObjectName(u"defaults"_s);
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, [this] {
        setSettings(Settings{});
        tell();
    });
    auto* close = new QPushButton(u"Закрыть"_s);
    close->setObjectName(u"close"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    setSettings(Settings{});
}

QSpinBox* SettingsDialog::spin(QFormLayout& form, const char* name, const QString& label,
                               SettingRange range, const QString& hint) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(range.least, range.most);
    box->setToolTip(hint);
    connect(box, &QSpinBox::valueChanged, this, &SettingsDialog::tell);
    if (!label.isEmpty()) form.addRow(label, box);
    return box;
}

QDoubleSpinBox* SettingsDialog::factor(QFormLayout& form, const char* name, const QString& label,
                                       const QString& hint) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    // Shares of the base interval, kept in hundredths.
    box->setLocale(QLocale::c());
    box->setDecimals(2);
    box->setSingleStep(0.05);
    box->setRange(ranges::kFactorPercent.least / 100.0, ranges::kFactorPercent.most / 100.0);
    box->setPrefix(u"×"_s);
    box->setToolTip(hint.isEmpty() ? u"Во сколько раз дольше обычного показа"_s : hint);
    connect(box, &QDoubleSpinBox::valueChanged, this, &SettingsDialog::tell);
    if (!label.isEmpty()) form.addRow(label, box);
    return box;
}

QWidget* SettingsDialog::pausesGroup() {
    QFormLayout* form = nullptr;
    QGroupBox* box = group(u"Паузы"_s, form);
    shortBelow_ = spin(*form, "shortBelow", {}, ranges::kLengthThreshold, kLengthHint);
    shortFactor_ = factor(*form, "shortFactor", {}, kLengthHint);
    form->addRow(u"Короче, знаков"_s, pair(shortBelow_, shortFactor_));
    normalFactor_ = factor(*form, "normalFactor", u"Обычная длина"_s, kLengthHint);
    longAbove_ = spin(*form, "longAbove", {}, ranges::kLengthThreshold, kLengthHint);
    longFactor_ = factor(*form, "longFactor", {}, kLengthHint);
    form->addRow(u"Длиннее, знаков"_s, pair(longAbove_, longFactor_));
    veryLongAbove_ = spin(*form, "veryLongAbove", {}, ranges::kLengthThreshold, kLengthHint);
    veryLongFactor_ = factor(*form, "veryLongFactor", {}, kLengthHint);
    form->addRow(u"Очень длинное, знаков"_s, pair(veryLongAbove_, veryLongFactor_));
    punctuationFactor_ =
        factor(*form, "punctuationFactor", u"Запятая, двоеточие, точка с запятой"_s);
    newRootFactor_ = factor(*form, "newRootFactor", u"Новый корень (режим обучения)"_s);
    sentenceEndFactor_ = factor(*form, "sentenceEndFactor", u"Конец предложения"_s);
    numberFactor_ = factor(*form, "numberFactor", u"Число в слове"_s);
    sentencePauses_ = spin(*form, "sentencePauses", u"Пауз после конца предложения"_s,
                           ranges::kPauseEntries, u"Пустых показов после точки"_s);
    lineBreakPauses_ = spin(*form, "lineBreakPauses", u"Пауз после строки"_s, ranges::kPauseEntries,
                            u"Пустых показов после конца строки"_s);
    return box;
}

QWidget* SettingsDialog::flashGroup() {
    QFormLayout* form = nullptr;
    QGroupBox* box = group(u"Показ"_s, form);
    flashWords_ = spin(*form, "flashWords", u"Слов за показ"_s, ranges::kFlashWords,
                       u"Короткие слова показываются вместе"_s);
    flashWidth_ = spin(*form, "flashWidth", u"Ширина, знаков"_s, ranges::kFlashWidth,
                       u"Сколько знаков умещает один показ нескольких слов"_s);
    return box;
}

QWidget* SettingsDialog::speedGroup() {
    QFormLayout* form = nullptr;
    QGroupBox* box = group(u"Скорость"_s, form);
    wordsPerMinute_ = new QCheckBox(u"Скорость — слова в минуту"_s);
    wordsPerMinute_->setObjectName(u"wordsPerMinute"_s);
    wordsPerMinute_->setToolTip(u"Паузы и длинные слова входят в выбранную скорость"_s);
    form->addRow(wordsPerMinute_);
    warmUp_ = new QCheckBox(u"Разгон"_s);
    warmUp_->setObjectName(u"warmUp"_s);
    warmUp_->setToolTip(u"После старта, продолжения и перехода первые слова идут медленнее"_s);
    form->addRow(warmUp_);
    for (QCheckBox* check : {wordsPerMinute_, warmUp_})
        connect(check, &QCheckBox::toggled, this, &SettingsDialog::tell);
    warmUpFrom_ = spin(*form, "warmUpFrom", u"Начать с, %"_s, ranges::kWarmUpFromPercent);
    warmUpWords_ = spin(*form, "warmUpWords", u"Слов разгона"_s, ranges::kWarmUpWords);
    return box;
}

QWidget* SettingsDialog::lookGroup() {
    QFormLayout* form = nullptr;
    QGroupBox* box = group(u"Вид"_s, form);
    theme_ = new QComboBox;
    theme_->setObjectName(u"theme"_s);
    theme_->addItems({u"Светлая"_s, u"Тёмная"_s, u"Ночная"_s});
    connect(theme_, &QComboBox::currentIndexChanged, this, [this] {
        showFocusColour();
        tell();
    });
    form->addRow(u"Тема"_s, theme_);

    focusColourButton_ = new QPushButton(u"Выбрать…"_s);
    focusColourButton_->setObjectName(u"focusColour"_s);
    focusColourButton_->setAutoDefault(false);
    connect(focusColourButton_, &QPushButton::clicked, this, &SettingsDialog::chooseFocusColour);
    auto* themeColour = new QPushButton(u"Цвет темы"_s);
    themeColour->setObjectName(u"themeFocusColour"_s);
    themeColour->setAutoDefault(false);
    themeColour->setToolTip(u"Фокусная буква снова в цвете темы"_s);
    connect(themeColour, &QPushButton::clicked, this, [this] {
        focusColour_.clear();
        showFocusColour();
        tell();
    });
    form->addRow(u"Цвет фокусной буквы"_s, pair(focusColourButton_, themeColour));

    fontZoom_ = new QComboBox;
    fontZoom_->setObjectName(u"fontZoom"_s);
    for (const int zoom : kFontZooms) fontZoom_->addItem(u"%1 %"_s.arg(zoom), zoom);
    fontZoom_->setToolTip(u"Также Ctrl+плюс, Ctrl+минус и Ctrl+колесо над строкой слов"_s);
    connect(fontZoom_, &QComboBox::currentIndexChanged, this, &SettingsDialog::tell);
    form->addRow(u"Размер шрифта"_s, fontZoom_);
    return box;
}

void SettingsDialog::setSettings(const Settings& s) {
    filling_ = true;
    const PauseRules& p = s.reading.pauses;
    shortBelow_->setValue(p.shortBelow);
    shortFactor_->setValue(p.shortPercent / 100.0);
    normalFactor_->setValue(p.normalPercent / 100.0);
    longAbove_->setValue(p.longAbove);
    longFactor_->setValue(p.longPercent / 100.0);
    veryLongAbove_->setValue(p.veryLongAbove);
    veryLongFactor_->setValue(p.veryLongPercent / 100.0);
    punctuationFactor_->setValue(p.punctuationPercent / 100.0);
    newRootFactor_->setValue(p.newRootPercent / 100.0);
    sentenceEndFactor_->setValue(p.sentenceEndPercent / 100.0);
    numberFactor_->setValue(p.numberPercent / 100.0);
    sentencePauses_->setValue(p.sentencePauses);
    lineBreakPauses_->setValue(p.lineBreakPauses);
    flashWords_->setValue(s.reading.flash.words);
    flashWidth_->setValue(s.reading.flash.width);
    wordsPerMinute_->setChecked(s.reading.speed.wordsPerMinute);
    warmUp_->setChecked(s.reading.speed.warmUp);
    warmUpFrom_->setValue(s.reading.speed.warmUpFromPercent);
    warmUpWords_->setValue(s.reading.speed.warmUpWords);
    theme_->setCurrentIndex(static_cast<int>(s.look.theme));
    focusColour_ = s.look.focusColour;
    fontZoom_->setCurrentIndex(fontZoom_->findData(s.look.fontZoom));
    showFocusColour();
    filling_ = false;
}

Settings SettingsDialog::settings() const {
    Settings s;
    PauseRules& p = s.reading.pauses;
    p.shortBelow = shortBelow_->value();
    p.shortPercent = hundredths(shortFactor_);
    p.normalPercent = hundredths(normalFactor_);
    p.longAbove = longAbove_->value();
    p.longPercent = hundredths(longFactor_);
    p.veryLongAbove = veryLongAbove_->value();
    p.veryLongPercent = hundredths(veryLongFactor_);
    p.punctuationPercent = hundredths(punctuationFactor_);
    p.newRootPercent = hundredths(newRootFactor_);
    p.sentenceEndPercent = hundredths(sentenceEndFactor_);
    p.numberPercent = hundredths(numberFactor_);
    p.sentencePauses = sentencePauses_->value();
    p.lineBreakPauses = lineBreakPauses_->value();
    s.reading.flash.words = flashWords_->value();
    s.reading.flash.width = flashWidth_->value();
    s.reading.speed.wordsPerMinute = wordsPerMinute_->isChecked();
    s.reading.speed.warmUp = warmUp_->isChecked();
    s.reading.speed.warmUpFromPercent = warmUpFrom_->value();
    s.reading.speed.warmUpWords = warmUpWords_->value();
    s.look.theme = static_cast<Theme>(theme_->currentIndex());
    s.look.focusColour = focusColour_;
    s.look.fontZoom = fontZoom_->currentData().toInt();
    return s;
}

void SettingsDialog::tell() {
    if (!filling_) emit changed(settings());
}

void SettingsDialog::chooseFocusColour() {
    const QColor chosen =
        QColorDialog::getColor(lookColours(settings().look).focus, this, u"Цвет фокусной буквы"_s);
    if (!chosen.isValid()) return;
    focusColour_ = chosen.name().toStdString();
    showFocusColour();
    tell();
}

void SettingsDialog::showFocusColour() {
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(lookColours(settings().look).focus);
    focusColourButton_->setIcon(swatch);
}

}  // namespace orvell
