#include "gui/view/halvar_form.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/controls/bar_graph_ctrl.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/controls/level_bar_ctrl.h"
#include "gui/controls/thermometer_ctrl.h"

namespace skyvane {

namespace {

constexpr const char* kLiveNames[live::kCount] = {
    "indoorHumidity", "indoorTemperature", "outdoorHumidity", "outdoorTemperature",
    "absPressure",    "windSpeed",         "gustSpeed",       "windDirectionText",
    "rainTotal",      "relPressure",       "dewPoint",        "windChill",
    "rainHour",       "rain24h",           "rainWeek",        "rainMonth",
    "windLevelText",  "gustLevelText"};

constexpr const char* kMaxMinNames[kMaxMinFieldCount] = {
    "indoorHumidityMax",    "indoorHumidityMin",  "outdoorHumidityMax", "outdoorHumidityMin",
    "indoorTemperatureMax", "indoorTemperatureMin", "outdoorTemperatureMax",
    "outdoorTemperatureMin", "windChillMax",      "windChillMin",       "dewPointMax",
    "dewPointMin",          "absPressureMax",     "absPressureMin",     "relPressureMax",
    "relPressureMin",       "windSpeedMax",       "gustSpeedMax",       "rainHourMax",
    "rain24hMax",           "rainWeekMax",        "rainMonthMax",       "rainTotalMax"};

// Max/min record field number → index into HalvarForm::maxmin.
constexpr int MM(int field) { return field - 3; }
// Lamp number (1..23) → index into HalvarForm::lamps.
constexpr int L(int number) { return number - 1; }

class Builder {
 public:
  Builder(QWidget* view, const FormCaptions& c, const LampPictures& pictures)
      : view_(view), c_(c), pictures_(pictures) {
    for (int i = 0; i < live::kCount; ++i) form_.live[i] = Field(kLiveNames[i]);
    for (int i = 0; i < kMaxMinFieldCount; ++i) form_.maxmin[i] = Field(kMaxMinNames[i]);
    for (int i = 0; i < kLampCount; ++i) {
      form_.lamps[i] = new AlarmLamp(pictures_, view_);
      form_.lamps[i]->setObjectName(QStringLiteral("lamp%1").arg(i + 1));
    }
  }

  HalvarForm Build() {
    auto* grid = new QGridLayout(view_);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(6);
    grid->addWidget(IndoorBox(), 0, 0);
    grid->addWidget(OutdoorBox(), 0, 1);
    grid->addWidget(WindBox(), 0, 2);

    auto* pressures = new QVBoxLayout;
    pressures->addWidget(SingleBox(c_.relPressure, live::kRelPressure, MM(17), L(15), MM(18), L(16)));
    pressures->addWidget(SingleBox(c_.absPressure, live::kAbsPressure, MM(15), L(13), MM(16), L(14)));
    grid->addLayout(pressures, 1, 0);

    auto* derived = new QVBoxLayout;
    derived->addWidget(SingleBox(c_.dewpoint, live::kDewPoint, MM(13), L(11), MM(14), L(12)));
    derived->addWidget(SingleBox(c_.windchill, live::kWindChill, MM(11), L(9), MM(12), L(10)));
    grid->addLayout(derived, 1, 1);

    grid->addWidget(RainBox(), 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);

    // Kept up to date but never shown.
    for (int hidden : {live::kDirectionText, live::kWindLevelText, live::kGustLevelText})
      form_.live[hidden]->hide();
    form_.lamps[L(17)]->hide();
    form_.lamps[L(19)]->hide();
    return form_;
  }

 private:
  QLabel* Field(const char* name) {
    auto* field = new QLabel(view_);
    field->setObjectName(QString::fromLatin1(name));
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(Qt::AlignCenter);
    field->setMinimumWidth(86);
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return field;
  }

  QLabel* Caption(const QString& text) { return new QLabel(text, view_); }

  // caption (optional), the value, then "Max" with its HI lamp and "Min" with its LO lamp.
  QGridLayout* Quantity(const QString& caption, int value, int max, int hi, int min, int lo) {
    auto* g = new QGridLayout;
    g->setSpacing(3);
    int row = 0;
    if (!caption.isEmpty()) g->addWidget(Caption(caption), row++, 0, 1, 4);
    g->addWidget(form_.live[value], row++, 0, 1, 4);
    AddExtreme(g, row++, QStringLiteral("Max"), max, QStringLiteral("HI"), hi);
    if (min >= 0) AddExtreme(g, row++, QStringLiteral("Min"), min, QStringLiteral("LO"), lo);
    g->setColumnStretch(1, 1);
    return g;
  }

  void AddExtreme(QGridLayout* g, int row, const QString& name, int field, const QString& lampName,
                  int lamp) {
    g->addWidget(Caption(name), row, 0);
    g->addWidget(form_.maxmin[field], row, 1);
    if (lamp >= 0) {
      g->addWidget(Caption(lampName), row, 2, Qt::AlignRight);
      g->addWidget(form_.lamps[lamp], row, 3);
    }
  }

  QGroupBox* Box(const QString& title, const char* name) {
    auto* box = new QGroupBox(title, view_);
    box->setObjectName(QString::fromLatin1(name));
    return box;
  }

  QGroupBox* SingleBox(const QString& title, int value, int max, int hi, int min, int lo) {
    auto* box = Box(title, kLiveNames[value]);
    box->setObjectName(box->objectName() + QStringLiteral("Box"));
    auto* v = new QVBoxLayout(box);
    v->addLayout(Quantity(QString(), value, max, hi, min, lo));
    v->addStretch(1);
    return box;
  }

  // Temperature with its thermometer beside it, humidity below.
  QGroupBox* Climate(const QString& title, const char* name, CThermometerCtrl*& thermometer,
                     int temp, int tempMax, int tempHi, int tempMin, int tempLo, int hum, int humMax,
                     int humHi, int humMin, int humLo) {
    auto* box = Box(title, name);
    auto* h = new QHBoxLayout(box);
    auto* v = new QVBoxLayout;
    v->addLayout(Quantity(c_.temperature, temp, tempMax, tempHi, tempMin, tempLo));
    v->addSpacing(6);
    v->addLayout(Quantity(c_.humidity, hum, humMax, humHi, humMin, humLo));
    v->addStretch(1);
    h->addLayout(v, 1);
    thermometer = new CThermometerCtrl(box);
    thermometer->setObjectName(QString::fromLatin1(name) + QStringLiteral("Thermometer"));
    thermometer->setMinimumWidth(44);
    h->addWidget(thermometer);
    return box;
  }

  QGroupBox* IndoorBox() {
    return Climate(c_.indoor, "indoor", form_.indoorThermometer, live::kIndoorTemperature,
                   MM(7), L(3), MM(8), L(4), live::kIndoorHumidity, MM(3), L(1), MM(4), L(2));
  }

  QGroupBox* OutdoorBox() {
    return Climate(c_.outdoor, "outdoor", form_.outdoorThermometer, live::kOutdoorTemperature,
                   MM(9), L(7), MM(10), L(8), live::kOutdoorHumidity, MM(5), L(5), MM(6), L(6));
  }

  QGroupBox* WindBox() {
    auto* box = Box(c_.wind, "wind");
    auto* g = new QGridLayout(box);
    g->addLayout(Quantity(c_.windLine, live::kWindSpeed, MM(19), L(18), -1, -1), 0, 0);
    g->addLayout(Quantity(c_.gustLine, live::kGustSpeed, MM(20), L(20), -1, -1), 0, 1);
    form_.windLevel = LevelBar(box, "windLevelBar");
    form_.gustLevel = LevelBar(box, "gustLevelBar");
    g->addWidget(Caption(c_.windLevel), 1, 0, 1, 2);
    g->addWidget(form_.windLevel, 2, 0, 1, 2);
    g->addWidget(Caption(c_.gustLevel), 3, 0, 1, 2);
    g->addWidget(form_.gustLevel, 4, 0, 1, 2);

    auto* centre = new QHBoxLayout;
    centre->addStretch(1);
    form_.compass = new CCompassCtrl(box);
    form_.compass->setObjectName(QStringLiteral("compass"));
    centre->addWidget(form_.compass);
    auto* dir = new QVBoxLayout;
    dir->addStretch(1);
    dir->addWidget(Caption(QStringLiteral("DIR")), 0, Qt::AlignHCenter);
    dir->addWidget(form_.lamps[L(21)], 0, Qt::AlignHCenter);
    dir->addStretch(1);
    centre->addLayout(dir);
    centre->addStretch(1);
    g->addLayout(centre, 5, 0, 1, 2);
    g->setRowStretch(5, 1);
    return box;
  }

  CLevelBarCtrl* LevelBar(QWidget* parent, const char* name) {
    auto* bar = new CLevelBarCtrl(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMinimumHeight(30);
    return bar;
  }

  // Five columns: caption, bar, the value, then "Max" above its field so that
  // the field gets the column's whole width (long captions, inches).
  QGroupBox* RainBox() {
    auto* box = Box(c_.rain, "rain");
    auto* g = new QGridLayout(box);
    g->setSpacing(3);
    const QString captions[kRainBarCount] = {c_.lastHour, c_.last24Hour, c_.lastWeek,
                                             c_.lastMonth, c_.total};
    const int values[kRainBarCount] = {live::kRainHour, live::kRain24h, live::kRainWeek,
                                       live::kRainMonth, live::kRainTotal};
    const char* barNames[kRainBarCount] = {"rainHourBar", "rain24hBar", "rainWeekBar",
                                           "rainMonthBar", "rainTotalBar"};
    const int lamps[kRainBarCount] = {L(22), L(23), -1, -1, -1};
    const int fieldWidth = RainFieldWidth();
    for (int i = 0; i < kRainBarCount; ++i) {
      auto* caption = Caption(captions[i]);
      caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
      caption->setWordWrap(true);  // "Letzter 24 Stunden" may take two lines
      g->addWidget(caption, 0, i);
      form_.rain[i] = new CBarGraphCtrl(box);
      form_.rain[i]->setObjectName(QString::fromLatin1(barNames[i]));
      form_.rain[i]->setMinimumSize(56, 90);
      g->addWidget(form_.rain[i], 1, i);
      form_.live[values[i]]->setMinimumWidth(fieldWidth);
      g->addWidget(form_.live[values[i]], 2, i);
      auto* max = Caption(QStringLiteral("Max"));
      max->setAlignment(Qt::AlignCenter);
      g->addWidget(max, 3, i);
      form_.maxmin[MM(21 + i)]->setMinimumWidth(fieldWidth);
      g->addWidget(form_.maxmin[MM(21 + i)], 4, i);
      if (lamps[i] >= 0) {
        auto* hi = new QHBoxLayout;
        hi->addStretch(1);
        hi->addWidget(Caption(QStringLiteral("HI")));
        hi->addWidget(form_.lamps[lamps[i]]);
        hi->addStretch(1);
        g->addLayout(hi, 5, i);
      }
      g->setColumnStretch(i, 1);
    }
    g->setRowStretch(1, 1);
    return box;
  }

  // Wide enough for a total of four digits in the widest rain unit.
  int RainFieldWidth() const {
    const QFontMetrics fm(view_->font());
    return fm.horizontalAdvance(QStringLiteral("9999.9 inch")) + 8;
  }

  QWidget* view_;
  const FormCaptions& c_;
  const LampPictures& pictures_;
  HalvarForm form_;
};

}  // namespace

HalvarForm BuildHalvarForm(QWidget* view, const FormCaptions& captions,
                           const LampPictures& pictures) {
  return Builder(view, captions, pictures).Build();
}

}  // namespace skyvane
