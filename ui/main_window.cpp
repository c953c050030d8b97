#include "ui/main_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "ui/entry_limit.h"
#include "ui/field_boxes.h"
#include "ui/frame_box.h"
#include "ui/layout_table.h"
#include "ui/mask_style.h"

// Qt's resource initialiser has to be called from the global namespace.
static void InitBundledResources() {
  Q_INIT_RESOURCE(lumivar);
}

namespace lumivar::ui {
namespace {

constexpr auto kIconPath = ":/icons/lumivar.png";
constexpr auto kPortraitPath = ":/images/portrait.jpg";

// Registers a bundled face and lets it stand in for the design faces, so
// that the Chinese captions render on machines without those faces, while a
// machine that has the real faces uses them.
void RegisterBundledFont(const QString& path, std::initializer_list<QString> design_families) {
  const int id = QFontDatabase::addApplicationFont(path);
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) return;
  for (const QString& family : design_families) QFont::insertSubstitution(family, families.first());
}

QFont DesignFont(const FontStyle& style) {
  QFont font(FamilyName(style.face).toString());
  font.setPointSizeF(style.point_size);
  font.setBold(true);
  return font;
}

// Loads the resources and fonts once per application object.
void LoadBundledAssets() {
  static QPointer<QCoreApplication> loaded_for;
  if (loaded_for == QCoreApplication::instance()) return;
  loaded_for = QCoreApplication::instance();
  InitBundledResources();
  RegisterBundledFont(":/fonts/LumivarSong-Bold.otf",
                      {FamilyName(FontFace::Song).toString(), QStringLiteral("SimSun")});
  RegisterBundledFont(":/fonts/LumivarHei-Bold.otf",
                      {FamilyName(FontFace::Hei).toString(), QStringLiteral("SimHei")});
  // An edit box lays out its (empty) text in the application font before it
  // gets its own, so with the platform's default font every start would load
  // and set up one more face that nothing shows. The window's caption font
  // serves instead.
  QApplication::setFont(DesignFont(*FindControl("Form1")->font));
}

QString NameOf(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void ApplyColours(QWidget* widget, ControlKind kind, const Colours& colours) {
  const QColor text(colours.text);
  const QColor ground(colours.ground);
  QPalette palette = widget->palette();
  if (kind == ControlKind::EditBox) {
    palette.setColor(QPalette::Base, ground);
    palette.setColor(QPalette::Text, text);
  } else {
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, text);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

// A button keeps the platform's colours instead of the navy ground around it.
void KeepPlatformColours(QWidget* widget) {
  const QPalette platform = QApplication::palette(widget);
  QPalette palette = widget->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Text}) {
      palette.setColor(group, role, platform.color(group, role));
    }
  }
  widget->setPalette(palette);
}

QLineEdit* CreateEditBox(const ControlRow& row, QWidget* parent, MaskStyle* mask_style) {
  auto* box = new QLineEdit(parent);
  // The font before the text: a box made with its text lays it out at once in
  // the application font, and for Chinese text that font has no glyphs, so
  // Qt would search the system's fonts and map a CJK face only to drop it.
  if (row.font) box->setFont(DesignFont(*row.font));
  box->setText(row.caption.toString());
  box->setAlignment(Qt::AlignCenter);
  if (row.entry_limit != kNoLimit) {
    box->setValidator(new EntryLimitValidator(row.entry_limit, box));
  }
  if (row.masked) MaskBox(box, mask_style);
  if (!row.enabled) {
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
  }
  return box;
}

// Buttons take the focus when clicked, and none is a default button, so
// Enter and Escape press nothing.
QPushButton* CreateButton(const ControlRow& row, QWidget* parent) {
  auto* button = new QPushButton(row.caption.toString(), parent);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  button->setDefault(false);
  KeepPlatformColours(button);
  return button;
}

QLabel* CreatePicture(QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setPixmap(QPixmap(QString::fromLatin1(kPortraitPath)));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

}  // namespace
}  // namespace lumivar::ui

using lumivar::FieldId;
using lumivar::FieldSet;
using lumivar::FocusRequest;
using lumivar::kAllFields;
using lumivar::kFieldCount;
using lumivar::ui::ApplyColours;
using lumivar::ui::ControlKind;
using lumivar::ui::ControlRow;
using lumivar::ui::ControlTable;
using lumivar::ui::CreateButton;
using lumivar::ui::CreateEditBox;
using lumivar::ui::CreatePicture;
using lumivar::ui::DesignFont;
using lumivar::ui::FieldBoxes;
using lumivar::ui::FrameBox;
using lumivar::ui::kIconPath;
using lumivar::ui::LoadBundledAssets;
using lumivar::ui::MaskStyle;
using lumivar::ui::NameOf;

Form1::Form1(QWidget* parent) : QWidget(parent) {
  LoadBundledAssets();
  mask_style_ = std::make_unique<MaskStyle>();
  for (const ControlRow& row : ControlTable()) BuildControl(row);
  SetUpTabOrder();

  std::array<QLineEdit*, kFieldCount> boxes{};
  for (const FieldId id : kAllFields) {
    boxes.at(FieldIndex(id)) = findChild<QLineEdit*>(NameOf(FieldName(id)));
  }
  fields_ = std::make_unique<FieldBoxes>(boxes);
  ConnectHandlers();
  fields_->Box(FieldId::Text1)->setFocus();
}

Form1::~Form1() = default;

FieldSet& Form1::Fields() {
  return *fields_;
}

void Form1::BuildControl(const ControlRow& row) {
  QWidget* widget = this;
  if (row.kind == ControlKind::Window) {
    SetUpWindow(row);
  } else {
    const QString parent_name = NameOf(row.parent);
    QWidget* parent = parent_name == objectName() ? this : findChild<QWidget*>(parent_name);
    widget = CreateChild(row, parent);
    widget->setGeometry(row.geometry);
  }
  widget->setObjectName(NameOf(row.name));
  widget->setAccessibleName(row.accessible_name.toString());
  if (row.colours) ApplyColours(widget, row.kind, *row.colours);
  if (row.font) widget->setFont(DesignFont(*row.font));
}

void Form1::SetUpWindow(const ControlRow& row) {
  setFixedSize(row.geometry.size());
  setWindowTitle(row.caption.toString());
  // From a pixmap: a QIcon made from a file name first scans the icon-engine
  // plugins, which costs start-up time for a plain PNG.
  setWindowIcon(QIcon(QPixmap(QString::fromLatin1(kIconPath), "PNG")));
}

QWidget* Form1::CreateChild(const ControlRow& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::Frame:
      return new FrameBox(row.caption.toString(), parent);
    case ControlKind::EditBox:
      return CreateEditBox(row, parent, mask_style_.get());
    case ControlKind::Button:
      return CreateButton(row, parent);
    case ControlKind::Picture:
      return CreatePicture(parent);
    case ControlKind::Window:
      break;
  }
  return nullptr;
}

// Chains the controls that can take the focus in the order of their design
// tab positions; frames, the picture and the disabled banner are left out.
void Form1::SetUpTabOrder() {
  std::vector<const ControlRow*> stops;
  for (const ControlRow& row : ControlTable()) {
    const bool focusable = row.kind == ControlKind::EditBox || row.kind == ControlKind::Button;
    if (focusable && row.enabled) stops.push_back(&row);
  }
  std::sort(stops.begin(), stops.end(),
            [](const ControlRow* a, const ControlRow* b) { return a->tab_index < b->tab_index; });
  for (std::size_t i = 1; i < stops.size(); ++i) {
    setTabOrder(findChild<QWidget*>(NameOf(stops[i - 1]->name)),
                findChild<QWidget*>(NameOf(stops[i]->name)));
  }
}

void Form1::ConnectHandlers() {
  const auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
  connect(button("Command1"), &QPushButton::clicked, this, [this] { StartForecast(*fields_); });
  connect(button("Command2"), &QPushButton::clicked, this, [this] { ClearData(*fields_); });
  connect(button("Command3"), &QPushButton::clicked, this, [this] { ExitProgram(); });
  for (const FieldId id : {FieldId::Text1, FieldId::Text2}) {
    connect(fields_->Box(id), &QLineEdit::textChanged, this, [this, id](const QString& text) {
      MoveFocus(AdvanceFocus(id, text.toStdU16String()));
    });
  }
}

void Form1::MoveFocus(FocusRequest request) {
  if (request) fields_->Box(*request)->setFocus();
}

// Ends the program at once with exit status 0; nothing is kept, so nothing
// needs saving or confirming.
void Form1::ExitProgram() {
  QCoreApplication::exit(0);
}
