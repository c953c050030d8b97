// Benchmarks on the real window, Form1.
//
// BM_StartForecast_Form1Fields: one StartForecast on the window's edit boxes.
//   Painting is excluded: the window is shown, but no event is processed
//   while the clock runs, so each write only marks its box for repainting.
//   The inputs alternate between two draws (set with the clock paused) so
//   that every run changes every result box. Run it with
//   QT_QPA_PLATFORM=offscreen.
//
// BM_ClickToResult: from a synthetic left click on 开始预测 (QTest::mouseClick,
//   delivered through QApplication as a press and a release) until the result
//   boxes have repainted: the clock stops when every result box whose shown
//   text changed has received its paint event (a masked box that shows as many
//   stars as before has nothing to repaint), the window's back buffer has been
//   flushed, and a round trip to the X server has returned, so the server
//   holds the new pixels. The clock covers the click's dispatch, the handler,
//   StartForecast, the repaint of the window's dirty area and its flush.
//   Run it under xcb on a real X display (Xvfb); offscreen it still runs,
//   without the round trip. Reports the median and 90th percentile of the
//   single clicks as counters.
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logic/forecast.h"
#include "ui/qt/main_window.h"

namespace {

using lumivar::FieldId;
using lumivar::FieldSet;
using lumivar::Text;
using Clock = std::chrono::steady_clock;

struct Draw {
  std::u16string_view hundreds, tens, units;
};

// Two draws that differ in every result field (sum tail, extremes, span,
// selector, banker line and all three kill numbers), so each click repaints
// every result box.
constexpr std::array<Draw, 2> kAlternatingDraws = {{
    {u"1", u"2", u"3"},
    {u"4", u"1", u"0"},
}};

void SetInputs(FieldSet& fields, const Draw& draw) {
  fields.Set(FieldId::Text1, Text(draw.hundreds));
  fields.Set(FieldId::Text2, Text(draw.tens));
  fields.Set(FieldId::Text3, Text(draw.units));
}

QLineEdit* FindBox(const Form1& form, FieldId id) {
  return form.findChild<QLineEdit*>(QString::fromUtf8(lumivar::FieldName(id)));
}

// Waits until the X server has handled every request sent so far; nothing
// on platforms other than xcb.
void RoundTripToDisplayServer() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr) return;
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Lets the window handle everything pending, including repaints.
void Settle() {
  QCoreApplication::processEvents();
  RoundTripToDisplayServer();
  QCoreApplication::processEvents();
}

// Notes which of the watched widgets have received a paint event.
class PaintWatch final : public QObject {
 public:
  explicit PaintWatch(const std::vector<QWidget*>& widgets)
      : widgets_(widgets), painted_(widgets.size(), false) {
    for (QWidget* widget : widgets_) widget->installEventFilter(this);
  }
  bool Painted(std::size_t index) const { return painted_.at(index); }
  void Reset() { std::fill(painted_.begin(), painted_.end(), false); }
  // Counts the widgets that need no repaint as done.
  void Expect(const std::vector<bool>& needs_repaint) {
    for (std::size_t i = 0; i < painted_.size(); ++i) {
      if (!needs_repaint.at(i)) painted_[i] = true;
    }
  }
  bool AllPainted() const {
    return std::all_of(painted_.begin(), painted_.end(), [](bool p) { return p; });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      const auto it = std::find(widgets_.begin(), widgets_.end(), watched);
      if (it != widgets_.end()) painted_[static_cast<std::size_t>(it - widgets_.begin())] = true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::vector<QWidget*> widgets_;
  std::vector<bool> painted_;
};

std::vector<QString> ShownTexts(const std::vector<QLineEdit*>& boxes) {
  std::vector<QString> texts;
  texts.reserve(boxes.size());
  for (const QLineEdit* box : boxes) texts.push_back(box->displayText());
  return texts;
}

// Which boxes show something other than before: the ones that must repaint.
std::vector<bool> ChangedBoxes(const std::vector<QLineEdit*>& boxes,
                               const std::vector<QString>& shown_before) {
  std::vector<bool> changed(boxes.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    changed[i] = boxes[i]->displayText() != shown_before[i];
  }
  return changed;
}

bool ShowAndWait(Form1& form) {
  form.show();
  const bool exposed = QTest::qWaitForWindowExposed(&form);
  Settle();
  return exposed;
}

void BM_StartForecast_Form1Fields(benchmark::State& state) {
  Form1 form;
  if (!ShowAndWait(form)) {
    state.SkipWithError("the window was not exposed");
    return;
  }
  FieldSet& fields = form.Fields();
  std::size_t run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SetInputs(fields, kAlternatingDraws.at(run++ % kAlternatingDraws.size()));
    state.ResumeTiming();
    lumivar::StartForecast(fields);
  }
  state.SetLabel(QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_StartForecast_Form1Fields)->Unit(benchmark::kMicrosecond);

double Percentile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  const auto last = static_cast<double>(samples.size() - 1);
  const double position = fraction * last;
  const auto below = static_cast<std::size_t>(position);
  const std::size_t above = std::min(below + 1, samples.size() - 1);
  const double weight = position - static_cast<double>(below);
  return samples[below] * (1 - weight) + samples[above] * weight;
}

void BM_ClickToResult(benchmark::State& state) {
  Form1 form;
  if (!ShowAndWait(form)) {
    state.SkipWithError("the window was not exposed");
    return;
  }
  auto* start_button = form.findChild<QPushButton*>(QStringLiteral("Command1"));
  std::vector<QLineEdit*> result_boxes;
  result_boxes.reserve(lumivar::kResultFields.size());
  for (const FieldId id : lumivar::kResultFields) result_boxes.push_back(FindBox(form, id));
  if (start_button == nullptr ||
      std::find(result_boxes.begin(), result_boxes.end(), nullptr) != result_boxes.end()) {
    state.SkipWithError("Command1 or a result box was not found by its object name");
    return;
  }
  PaintWatch watch(std::vector<QWidget*>(result_boxes.begin(), result_boxes.end()));
  FieldSet& fields = form.Fields();
  std::vector<double> samples_ms;
  std::size_t run = 0;
  for (auto _ : state) {
    SetInputs(fields, kAlternatingDraws.at(run++ % kAlternatingDraws.size()));
    Settle();
    const std::vector<QString> shown_before = ShownTexts(result_boxes);
    watch.Reset();

    const Clock::time_point clicked = Clock::now();
    QTest::mouseClick(start_button, Qt::LeftButton);
    watch.Expect(ChangedBoxes(result_boxes, shown_before));
    QElapsedTimer guard;
    guard.start();
    while (!watch.AllPainted() && guard.elapsed() < 5000) QCoreApplication::processEvents();
    RoundTripToDisplayServer();
    const std::chrono::duration<double> elapsed = Clock::now() - clicked;

    if (!watch.AllPainted()) {
      for (std::size_t i = 0; i < result_boxes.size(); ++i) {
        if (!watch.Painted(i)) {
          std::fprintf(stderr, "not repainted: %s\n", qPrintable(result_boxes[i]->objectName()));
        }
      }
      state.SkipWithError("a result box did not repaint within 5 s");
      return;
    }
    state.SetIterationTime(elapsed.count());
    samples_ms.push_back(elapsed.count() * 1000.0);
  }
  state.counters["median_ms"] = Percentile(samples_ms, 0.5);
  state.counters["p90_ms"] = Percentile(samples_ms, 0.9);
  state.SetLabel(QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_ClickToResult)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
