#include "gui/view/form_captions.h"

namespace skyvane {

namespace {

const FormCaptions kEnglish{
    QStringLiteral("Rel. Pressure"), QStringLiteral("Abs. Pressure"), QStringLiteral("Wind"),
    QStringLiteral(" Wind"),         QStringLiteral(" Gust"),         QStringLiteral(" Wind Level"),
    QStringLiteral(" Gust Level"),   QStringLiteral("Indoor"),        QStringLiteral("Outdoor"),
    QStringLiteral("Temperature"),   QStringLiteral("Humidity"),      QStringLiteral("Dewpoint"),
    QStringLiteral("Windchill"),     QStringLiteral("Rain"),          QStringLiteral("Last Hour"),
    QStringLiteral("Last 24 Hour"),  QStringLiteral("Last Week"),     QStringLiteral("Last Month"),
    QStringLiteral("Total")};

const FormCaptions kGerman{
    QStringLiteral("Rel. Luftdruck"),     QStringLiteral("Abs. Luftdruck"),
    QStringLiteral("Wind"),               QStringLiteral(" Wind"),
    QStringLiteral(" Windbö"),            QStringLiteral(" Wind Level"),
    QStringLiteral(" Windbö Level"),      QStringLiteral("Innen"),
    QStringLiteral("Außen"),              QStringLiteral("Temperatur"),
    QStringLiteral("Luftfeuchtigkeit"),   QStringLiteral("Taupunkt"),
    QStringLiteral("Windauskühlung"),     QStringLiteral("Niederschlag"),
    QStringLiteral("Letzter Stunde"),     QStringLiteral("Letzter 24 Stunden"),
    QStringLiteral("Letzter Woche"),      QStringLiteral("Letzter Monat"),
    QStringLiteral("Total")};

const FormCaptions kDanish{
    QStringLiteral("Rel. Tryk"),       QStringLiteral("Abs. Tryk"),
    QStringLiteral("Vind"),            QStringLiteral(" VIND"),
    QStringLiteral("VINDSTØD"),        QStringLiteral(" Vind Niveau"),
    QStringLiteral(" VINDSTØD Niveau"), QStringLiteral("Indendørs"),
    QStringLiteral("Udendørs"),        QStringLiteral("Temperatur"),
    QStringLiteral("Fugtighed"),       QStringLiteral("Dugpunkt"),
    QStringLiteral("Kuldeindeks"),     QStringLiteral("Nedbør"),
    QStringLiteral("Sidste Time"),     QStringLiteral("Sidste 24 Timer"),
    QStringLiteral("Sidste Uge"),      QStringLiteral("Sidste Måned"),
    QStringLiteral("Total")};

}  // namespace

const FormCaptions& FormCaptionsFor(int languageIndex) {
  switch (languageIndex) {
    case 1: return kGerman;
    case 2: return kDanish;
    default: return kEnglish;
  }
}

}  // namespace skyvane
