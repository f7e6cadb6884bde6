#include "gui/dialogs/setup_captions.h"

namespace skyvane {
namespace {

using namespace setup;

SetupCaptions English() {
  SetupCaptions c;
  c.title = QStringLiteral("Setup");
  c.timeZone = QStringLiteral("Time Zone");
  c.interval = QStringLiteral("Interval");
  c.minute = QStringLiteral("Minute");
  c.unit = QStringLiteral("Unit");
  c.display = QStringLiteral("Display");
  c.alarmEnable = QStringLiteral("Alarm Enable");
  c.pressure = QStringLiteral("Pressure");
  for (int l = kUnitIndoorTemperature; l < kListCount; ++l) {
    c.listLabel[l] = QString::fromUtf8(SetupListCaptionOf(static_cast<List>(l)).caption);
  }
  for (int l = kDisplayFormat; l < kListCount; ++l) {
    for (const char* item : SetupListItems(static_cast<List>(l))) c.items[l] << QString::fromUtf8(item);
  }
  for (int i = 0; i < kAlarmEnableCount; ++i) c.alarmBox[i] = QString::fromUtf8(AlarmEnableCaptions()[i]);
  c.relative = QStringLiteral("Relative");
  c.absolute = QStringLiteral("Absolute");
  c.save = QStringLiteral("Save");
  c.cancel = QStringLiteral("Cancel");
  return c;
}

SetupCaptions German() {
  SetupCaptions c;
  c.title = QStringLiteral("Einstellungen");
  c.timeZone = QStringLiteral("Zeitzone");
  c.interval = QStringLiteral("Intervall");
  c.minute = QStringLiteral("Minute");
  c.unit = QStringLiteral("Einheit");
  c.display = QStringLiteral("Anzeige");
  c.alarmEnable = QStringLiteral("Alarm aktiv");
  c.pressure = QStringLiteral("Luftdruck");
  c.listLabel = {QString(),
                 QStringLiteral("innen Temperatur"),
                 QStringLiteral("außen Temperatur"),
                 QStringLiteral("Luftdruck"),
                 QStringLiteral("Windgeschwindigkeit"),
                 QStringLiteral("Niederschlag"),
                 QStringLiteral("Format"),
                 QStringLiteral("Tag"),
                 QStringLiteral("Zeit"),
                 QStringLiteral("Achse"),
                 QStringLiteral("außen Temperatur"),
                 QStringLiteral("Luftdruck"),
                 QStringLiteral("Geschwindigkeit"),
                 QStringLiteral("Niederschlag")};
  c.items[kDisplayFormat] = {QStringLiteral("Volles Datum"), QStringLiteral("Datum und Woche"),
                             QStringLiteral("Alarmzeit")};
  c.items[kDisplayDay] = {QStringLiteral("tt-mm-jj"), QStringLiteral("mm-tt-jj")};
  c.items[kDisplayTime] = {QStringLiteral("24H"), QStringLiteral("12H")};
  c.items[kDisplayAxis] = {QStringLiteral("12 Stunden"), QStringLiteral("24 Stunden")};
  c.items[kDisplayOutdoorTemperature] = {QStringLiteral("Temperatur"), QStringLiteral("Windauskühlung"),
                                         QStringLiteral("Taupunkt")};
  c.items[kDisplayPressure] = {QStringLiteral("Absolut"), QStringLiteral("Relativ")};
  c.items[kDisplayVelocity] = {QStringLiteral("Wind"), QStringLiteral("Windbö")};
  c.items[kDisplayRainfall] = {QStringLiteral("Stunde"), QStringLiteral("24 Stunden"),
                               QStringLiteral("Woche"), QStringLiteral("Monat"), QStringLiteral("Total")};
  c.alarmBox = {QStringLiteral("Zeit"),
                QStringLiteral("Windrichtung"),
                QStringLiteral("innen Luftfeuchtigkeit Tief"),
                QStringLiteral("innen Luftfeuchtigkeit Hoch"),
                QStringLiteral("außen Luftfeuchtigkeit Tief"),
                QStringLiteral("außen Luftfeuchtigkeit Hoch"),
                QStringLiteral("Windgeschwindigkeit Hoch"),
                QStringLiteral("Windbö Hoch"),
                QStringLiteral("Stunde Niederschlag Hoch"),
                QStringLiteral("Tag Niederschlag Hoch"),
                QStringLiteral("absolut Luftdruck Tief"),
                QStringLiteral("absolut Luftdruck Hoch"),
                QStringLiteral("relative Luftdruck Tief"),
                QStringLiteral("relative Luftdruck Hoch"),
                QStringLiteral("innen Temperatur Tief"),
                QStringLiteral("innen Temperatur Hoch"),
                QStringLiteral("außen Temperatur Tief"),
                QStringLiteral("außen Temperatur Hoch"),
                QStringLiteral("Windauskühlung Tief"),
                QStringLiteral("Windauskühlung Hoch"),
                QStringLiteral("Taupunkt Tief"),
                QStringLiteral("Taupunkt Hoch")};
  c.relative = QStringLiteral("Relativ");
  c.absolute = QStringLiteral("Absolut");
  c.save = QStringLiteral("Speichern");
  c.cancel = QStringLiteral("Beenden");
  return c;
}

SetupCaptions Danish() {
  SetupCaptions c;
  c.title = QStringLiteral("Opsætning");
  c.timeZone = QStringLiteral("Tidszone");
  c.interval = QStringLiteral("Interval");
  c.minute = QStringLiteral("Minut");
  c.unit = QStringLiteral("Enhed");
  c.display = QStringLiteral("Skærm");
  c.alarmEnable = QStringLiteral("Alarm aktiveret");
  c.pressure = QStringLiteral("Tryk");
  c.listLabel = {QString(),
                 QStringLiteral("Indendørs Temperatur"),
                 QStringLiteral("Udendørs Temperatur"),
                 QStringLiteral("Tryk"),
                 QStringLiteral("Vindhastighed"),
                 QStringLiteral("Nedbør"),
                 QStringLiteral("Format"),
                 QStringLiteral("Dag"),
                 QStringLiteral("Tid"),
                 QStringLiteral("Akse"),
                 QStringLiteral("Udendørs Temperatur"),
                 QStringLiteral("Tryk"),
                 QStringLiteral("Hastighed"),
                 QStringLiteral("Nedbør")};
  c.items[kDisplayFormat] = {QStringLiteral("Fuld dato"), QStringLiteral("Dato og uge"),
                             QStringLiteral("Alarmtid")};
  c.items[kDisplayDay] = {QStringLiteral("dd-mm-åå"), QStringLiteral("mm-dd-åå")};
  c.items[kDisplayTime] = {QStringLiteral("24H"), QStringLiteral("12H")};
  c.items[kDisplayAxis] = {QStringLiteral("12 Timer"), QStringLiteral("24 Timer")};
  c.items[kDisplayOutdoorTemperature] = {QStringLiteral("Temperatur"), QStringLiteral("Kuldeindeks"),
                                         QStringLiteral("Dugpunkt")};
  c.items[kDisplayPressure] = {QStringLiteral("Absolut"), QStringLiteral("Relativ")};
  c.items[kDisplayVelocity] = {QStringLiteral("Vind"), QStringLiteral("Vindstød")};
  c.items[kDisplayRainfall] = {QStringLiteral("Time"), QStringLiteral("24 Timer"), QStringLiteral("Uge"),
                               QStringLiteral("Måned"), QStringLiteral("Total")};
  c.alarmBox = {QStringLiteral("Tid"),
                QStringLiteral("Vindretning"),
                QStringLiteral("Indendørs Fugtighed Lav"),
                QStringLiteral("Indendørs Fugtighed Høj"),
                QStringLiteral("Udendørs Fugtighed Lav"),
                QStringLiteral("Udendørs Fugtighed Høj"),
                QStringLiteral("Vindhastighed Høj"),
                QStringLiteral("Vindstød Høj"),
                QStringLiteral("Timer Nedbør Høj"),
                QStringLiteral("Døgn Nedbør Høj"),
                QStringLiteral("Absolut Tryk Lav"),
                QStringLiteral("Absolut Tryk Høj"),
                QStringLiteral("Relativ Tryk Lav"),
                QStringLiteral("Relativ Tryk Høj"),
                QStringLiteral("Indendørs Temperatur Lav"),
                QStringLiteral("Indendørs Temperatur Høj"),
                QStringLiteral("Udendørs Temperatur Lav"),
                QStringLiteral("Udendørs Temperatur Høj"),
                QStringLiteral("Kuldeindeks Lav"),
                QStringLiteral("Kuldeindeks Høj"),
                QStringLiteral("Dugpunkt Lav"),
                QStringLiteral("Dugpunkt Høj")};
  c.relative = QStringLiteral("Relativ");
  c.absolute = QStringLiteral("Absolut");
  c.save = QStringLiteral("Gem");
  c.cancel = QStringLiteral("Annuller");
  return c;
}

}  // namespace

const SetupCaptions& SetupCaptionsFor(int languageIndex) {
  static const SetupCaptions kEnglish = English();
  static const SetupCaptions kGerman = German();
  static const SetupCaptions kDanish = Danish();
  switch (languageIndex) {
    case 1: return kGerman;
    case 2: return kDanish;
    default: return kEnglish;
  }
}

}  // namespace skyvane
