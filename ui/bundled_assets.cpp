#include "ui/bundled_assets.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPointer>

#include <initializer_list>

#include "ui/controls.h"
#include "ui/layout_table.h"

// Qt's resource initialiser has to be called from the global namespace.
static void InitBundledResources() {
  Q_INIT_RESOURCE(lumivar);
}

namespace lumivar::ui {
namespace {

// Registers a bundled face and lets it stand in for the design faces, so
// that the Chinese captions render on machines without those faces, while a
// machine that has the real faces uses them.
void RegisterBundledFont(std::string_view name, std::initializer_list<QString> design_families) {
  const int id = QFontDatabase::addApplicationFont(ResourcePath(name));
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) return;
  for (const QString& family : design_families) QFont::insertSubstitution(family, families.first());
}

}  // namespace

QString ResourcePath(std::string_view name) {
  return QStringLiteral(":/") + ToQString(name);
}

void LoadBundledAssets() {
  static QPointer<QCoreApplication> loaded_for;
  if (loaded_for == QCoreApplication::instance()) return;
  loaded_for = QCoreApplication::instance();
  InitBundledResources();
  RegisterBundledFont("fonts/LumivarSong-Bold.otf",
                      {ToQString(FamilyName(FontFace::Song)), QStringLiteral("SimSun")});
  RegisterBundledFont("fonts/LumivarHei-Bold.otf",
                      {ToQString(FamilyName(FontFace::Hei)), QStringLiteral("SimHei")});
  // An edit box lays out its (empty) text in the application font before it
  // gets its own, so with the platform's default font every start would load
  // and set up one more face that nothing shows. The window's caption font
  // serves instead.
  QApplication::setFont(DesignFont(*WindowRow().font));
}

}  // namespace lumivar::ui
