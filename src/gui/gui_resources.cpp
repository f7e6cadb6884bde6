#include "gui/gui_resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QtGlobal>

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterSkyvaneResources() { Q_INIT_RESOURCE(skyvane); }

namespace skyvane {

void InitGuiResources() {
  static std::once_flag once;
  std::call_once(once, RegisterSkyvaneResources);
}

QPixmap LoadPicture(const QString& path) {
  if (qApp != nullptr && qApp->devicePixelRatio() >= 2) {
    QString twice = path;
    twice.insert(twice.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    if (QFile::exists(twice)) {
      QPixmap picture(twice);
      picture.setDevicePixelRatio(2);
      if (!picture.isNull()) return picture;
    }
  }
  return QPixmap(path);
}

}  // namespace skyvane
