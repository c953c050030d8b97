#include "ui/qt/bundled_assets.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QTranslator>

#include <initializer_list>
#include <string>

#include "ui/layout_table.h"
#include "ui/qt/controls.h"

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

// Qt's translation of its own texts, built into the program. Without it the
// program still starts, with those texts in English.
void InstallQtTranslation() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm"))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

// The twice-as-large variant of a bundled image, when the screens need it
// and the program has it; an empty path otherwise.
QString SharpVariant(std::string_view name) {
  if (qGuiApp->devicePixelRatio() <= 1.0) return {};
  const QString path = ResourcePath(name);
  const qsizetype dot = path.lastIndexOf(u'.');
  const QString sharp = path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
  return QFile::exists(sharp) ? sharp : QString();
}

}  // namespace

QPixmap BundledImage(std::string_view name) {
  const QString sharp = SharpVariant(name);
  if (sharp.isEmpty()) return QPixmap(ResourcePath(name));
  QPixmap image(sharp);
  image.setDevicePixelRatio(2.0);
  return image;
}

QIcon BundledIcon(std::string_view name) {
  // From pixmaps: a QIcon made from a file name first scans the icon-engine
  // plugins, which costs start-up time for a plain PNG.
  QIcon icon(QPixmap(ResourcePath(name)));
  const QString sharp = SharpVariant(name);
  if (!sharp.isEmpty()) icon.addPixmap(QPixmap(sharp));
  return icon;
}

QString ResourcePath(std::string_view name) {
  return QStringLiteral(":/") + ToQString(name);
}

void LoadBundledAssets() {
  static QPointer<QCoreApplication> loaded_for;
  if (loaded_for == QCoreApplication::instance()) return;
  loaded_for = QCoreApplication::instance();
  InitBundledResources();
  InstallQtTranslation();
  for (const FontFace face : {FontFace::Song, FontFace::Hei}) {
    RegisterBundledFont(std::string(Bundled(face).file) + ".otf",
                        {ToQString(FamilyName(face)), ToQString(EnglishFamilyName(face))});
  }
  // An edit box lays out its (empty) text in the application font before it
  // gets its own, so with the platform's default font every start would load
  // and set up one more face that nothing shows. The window's caption font
  // serves instead.
  QApplication::setFont(DesignFont(*WindowRow().font));
}

}  // namespace lumivar::ui
