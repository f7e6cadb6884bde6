#include "gui/chart/chart_widget.h"

#include <QDir>
#include <QImageReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gui/chart/chart_renderer.h"
#include "gui/chart/chart_time.h"
#include "gui_test_support.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

constexpr int kAllClasses[] = {0, 1, 2, 3, 4, 6, 10, 14, 16, 19, 23};
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const double kDay0 = DateTimeToChartTime(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));

// A chart set up the way the Graph window sets one up, with a day of axis.
void SetUpAxes(ChartWidget& c) {
  c.RemoveAllSeries();
  c.SetHeaderText("Weather--Humidity");
  c.SetBottomAxisMinMax(kDay0, kDay0 + 1);
  c.SetBottomAxisTitle("Sample Time");
  c.SetBottomAxisDateTimeFormat("dd-mm-yyyy hh:nn:ss");
  c.SetLeftAxisTitle("Humidity (Unit:%)");
  c.SetLeftAxisMinMax(0, 100);
}

// Twelve points over the day going up and down between 20 and 80.
void AddZigZag(ChartWidget& c, int series) {
  for (int i = 0; i < 12; ++i) c.AddPoint(series, kDay0 + (i + 0.5) / 12, i % 2 == 0 ? 20 : 80);
}

QImage Render(const ChartWidget& c, int w = 480, int h = 320) { return test::Paint(const_cast<ChartWidget&>(c), w, h); }

TEST(ChartWidget, SeriesClassesByNumber) {
  ChartWidget c;
  for (int n : kAllClasses) {
    const int s = c.AddSeries(n);
    ASSERT_GE(s, 0) << n;
    EXPECT_EQ(static_cast<int>(c.Content().series[s].kind), n);
  }
  EXPECT_EQ(c.SeriesCount(), 11);
  for (int n : {-1, 5, 7, 15, 24, 99}) EXPECT_EQ(c.AddSeries(n), -1) << n;
  EXPECT_EQ(c.SeriesCount(), 11);
  c.RemoveAllSeries();
  EXPECT_EQ(c.SeriesCount(), 0);
  EXPECT_EQ(c.AddSeries(ChartSeriesClass::kBar3D), 0);
}

TEST(ChartWidget, OperationsOnMissingSeriesOrBadValuesFail) {
  ChartWidget c;
  EXPECT_FALSE(c.SetSeriesTitle(0, "x"));
  EXPECT_FALSE(c.AddPoint(0, 1, 2));
  const int s = c.AddSeries(ChartSeriesClass::kLine);
  EXPECT_TRUE(c.SetSeriesTitle(s, "Indoor Humidity"));
  EXPECT_TRUE(c.SetSeriesColor(s, kRed));
  EXPECT_FALSE(c.SetSeriesColor(s, QColor()));
  EXPECT_FALSE(c.SetSeriesTitle(s + 1, "x"));
  EXPECT_FALSE(c.AddPoint(s, std::nan(""), 1));
  EXPECT_FALSE(c.AddPoint(s, 1, INFINITY));
  EXPECT_FALSE(c.AddGap(s, std::nan("")));
  EXPECT_TRUE(c.AddPoint(s, 1, 2));
  EXPECT_TRUE(c.AddGap(s, 2));
  ASSERT_EQ(c.Content().series[s].points.size(), 2u);
  EXPECT_TRUE(c.Content().series[s].points[1].IsGap());
  EXPECT_EQ(c.Content().series[s].colour, kRed);
  EXPECT_EQ(c.Content().series[s].title, "Indoor Humidity");
}

TEST(ChartWidget, EveryClassPaintsSomethingOfItsOwn) {
  ChartWidget c;
  SetUpAxes(c);
  const QImage empty = Render(c);
  std::vector<QImage> images;
  for (int n : kAllClasses) {
    SetUpAxes(c);
    const int s = c.AddSeries(n);
    c.SetSeriesColor(s, kRed);
    c.SetSeriesTitle(s, "Indoor Humidity");
    AddZigZag(c, s);
    images.push_back(Render(c));
    EXPECT_GT(test::CountPixels(images.back(), kRed), 20) << "class " << n;
  }
  for (std::size_t i = 0; i < images.size(); ++i) {
    EXPECT_NE(images[i], empty) << "class " << kAllClasses[i];
    for (std::size_t j = i + 1; j < images.size(); ++j) {
      EXPECT_NE(images[i], images[j]) << "classes " << kAllClasses[i] << " and " << kAllClasses[j];
    }
  }
}

// Red ink, also where anti-aliasing blends it half into the background; not
// the darker shade of 3D faces and outlines.
bool Reddish(const QColor& c) { return c.red() > 200 && c.green() < 140 && c.blue() < 140; }

// Whether red ink lies in the pixel column of (x, y), within a pixel above or
// below where it is plotted.
bool RedNear(const ChartWidget& c, const QImage& img, double x, double y) {
  const PlotFrame f = LayoutChart(c.Content(), img.rect());
  const QPointF at = f.ToPixel(x, y);
  const int px = static_cast<int>(std::floor(at.x()));
  for (int dy = -1; dy <= 1; ++dy) {
    const int py = static_cast<int>(std::floor(at.y())) + dy;
    if (img.rect().contains(px, py) && Reddish(test::PixelAt(img, px, py))) return true;
  }
  return false;
}

TEST(ChartWidget, EachClassIsDrawnAsItsKind) {
  ChartWidget c;
  // The zigzag's points sit at (i + 0.5) / 12 of the day, alternately at 20
  // and 80: halfway between two of them the value is 50.
  const double between = kDay0 + 4.0 / 12;
  // The point at 3.5 / 12 is a peak at 80. A quarter of the way down to the
  // next point: 65 on a straight segment, about 70.6 on the smooth curve that
  // leaves the peak level.
  const double peak = kDay0 + 3.5 / 12;
  const double nearPeak = kDay0 + 3.75 / 12;
  struct Expect {
    ChartSeriesClass kind;
    bool joined;     // something drawn between the points (Point3D: a shaded line)
    bool ownDepth;   // lit faces on a flat chart (checked where nothing is anti-aliased)
  };
  const Expect cases[] = {
      {ChartSeriesClass::kLine, true, false},     {ChartSeriesClass::kFastLine, true, false},
      {ChartSeriesClass::kBezier, true, false},   {ChartSeriesClass::kArrow, true, false},
      {ChartSeriesClass::kArea, true, false},     {ChartSeriesClass::kPoint, false, false},
      {ChartSeriesClass::kPoint3D, true, true},  {ChartSeriesClass::kBar, false, false},
      {ChartSeriesClass::kBar3D, false, true},    {ChartSeriesClass::kVolume, false, false},
  };
  for (const Expect& e : cases) {
    SetUpAxes(c);
    const int s = c.AddSeries(e.kind);
    c.SetSeriesColor(s, kRed);
    AddZigZag(c, s);
    const QImage img = Render(c);
    const int kind = static_cast<int>(e.kind);
    EXPECT_EQ(RedNear(c, img, between, 50), e.joined) << "class " << kind;
    const bool crisp = e.kind == ChartSeriesClass::kPoint || e.kind == ChartSeriesClass::kPoint3D ||
                       e.kind == ChartSeriesClass::kBar || e.kind == ChartSeriesClass::kBar3D;
    if (crisp) {
      EXPECT_EQ(test::CountPixels(img, kRed.lighter(130)) > 20, e.ownDepth) << "class " << kind;
    }
    // Every class shows the peaks themselves.
    if (e.kind != ChartSeriesClass::kArea) {
      EXPECT_TRUE(RedNear(c, img, peak, 80) || RedNear(c, img, peak, 79)) << "class " << kind;
    }
    if (e.kind == ChartSeriesClass::kLine || e.kind == ChartSeriesClass::kFastLine) {
      EXPECT_TRUE(RedNear(c, img, nearPeak, 65)) << "class " << kind;
      EXPECT_FALSE(RedNear(c, img, nearPeak, 70.6)) << "class " << kind;
    }
    if (e.kind == ChartSeriesClass::kBezier) {
      EXPECT_TRUE(RedNear(c, img, nearPeak, 70.6));
      EXPECT_FALSE(RedNear(c, img, nearPeak, 65));
    }
    // Bars reach down to the axis below the low point at 20; markers do not.
    const bool bars = e.kind == ChartSeriesClass::kBar || e.kind == ChartSeriesClass::kBar3D ||
                      e.kind == ChartSeriesClass::kVolume;
    if (bars || e.kind == ChartSeriesClass::kPoint) {
      EXPECT_EQ(RedNear(c, img, kDay0 + 4.5 / 12, 5), bars) << "class " << kind;
    }
  }
}

// Red pixels in the horizontal band of the plot between two value levels.
int RedBetween(ChartWidget& c, const QImage& img, double lowValue, double highValue, bool horizontal = false) {
  const PlotFrame f = LayoutChart(c.Content(), QRect(0, 0, img.width(), img.height()));
  int n = 0;
  for (int y = f.plot.top(); y < f.plot.top() + f.plot.height(); ++y) {
    for (int x = f.plot.left(); x < f.plot.left() + f.plot.width(); ++x) {
      const double v = horizontal ? f.value.lo + (x - f.value.p0) * (f.value.hi - f.value.lo) / (f.value.p1 - f.value.p0)
                                  : f.value.lo + (y - f.value.p0) * (f.value.hi - f.value.lo) / (f.value.p1 - f.value.p0);
      if (v >= lowValue && v <= highValue && Reddish(test::PixelAt(img, x, y))) ++n;
    }
  }
  return n;
}

TEST(ChartWidget, BarsReachDownToTheAxisAndLinesDoNot) {
  ChartWidget c;
  for (auto [kind, filled] : {std::pair{ChartSeriesClass::kBar, true}, std::pair{ChartSeriesClass::kVolume, true},
                              std::pair{ChartSeriesClass::kArea, true}, std::pair{ChartSeriesClass::kLine, false},
                              std::pair{ChartSeriesClass::kPoint, false}, std::pair{ChartSeriesClass::kFastLine, false}}) {
    SetUpAxes(c);
    const int s = c.AddSeries(kind);
    c.SetSeriesColor(s, kRed);
    AddZigZag(c, s);
    const QImage img = Render(c);
    const int low = RedBetween(c, img, 2, 10);
    if (filled) EXPECT_GT(low, 0) << static_cast<int>(kind);
    else EXPECT_EQ(low, 0) << static_cast<int>(kind);
  }
}

// Pixels where one channel clearly leads the other two: ink of that series'
// colour, blended or not.
int PixelsLedBy(const QImage& img, int channel) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = test::PixelAt(img, x, y);
      const int v[3] = {c.red(), c.green(), c.blue()};
      if (v[channel] >= v[(channel + 1) % 3] + 60 && v[channel] >= v[(channel + 2) % 3] + 60) ++n;
    }
  }
  return n;
}

TEST(ChartWidget, TwoFilledSeriesBothStayVisible) {
  // The first series lies above the second all along: filled from the same
  // base, its body would cover the second one entirely if painted opaque.
  for (ChartSeriesClass kind : {ChartSeriesClass::kBar, ChartSeriesClass::kArea, ChartSeriesClass::kVolume,
                                ChartSeriesClass::kBar3D}) {
    for (bool view3D : {false, true}) {
      ChartWidget c;
      SetUpAxes(c);
      c.SetView3D(view3D);
      const int high = c.AddSeries(kind);
      const int low = c.AddSeries(kind);
      c.SetSeriesColor(high, kRed);
      c.SetSeriesColor(low, kGreen);
      for (int i = 0; i < 300; ++i) {
        const double x = kDay0 + (i + 0.5) / 300;
        c.AddPoint(high, x, 70 + (i % 7));
        c.AddPoint(low, x, 30 + (i % 5));
      }
      const QImage img = Render(c);
      const int k = static_cast<int>(kind);
      EXPECT_GT(PixelsLedBy(img, 0), 200) << "class " << k << " 3D " << view3D;
      EXPECT_GT(PixelsLedBy(img, 1), 200) << "class " << k << " 3D " << view3D;
    }
  }
}

// Share of the pixels led by a channel that are, within a small tolerance,
// the series colour itself rather than a blend with what lies behind.
double ShareOfOwnColour(const QImage& img, int channel, const QColor& colour) {
  int led = 0, own = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = test::PixelAt(img, x, y);
      const int v[3] = {c.red(), c.green(), c.blue()};
      if (v[channel] < v[(channel + 1) % 3] + 60 || v[channel] < v[(channel + 2) % 3] + 60) continue;
      ++led;
      const int off = std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                      std::abs(c.blue() - colour.blue());
      if (off <= 12) ++own;
    }
  }
  return led == 0 ? 0 : static_cast<double>(own) / led;
}

TEST(ChartWidget, EachSeriesShowsItsLegendColourWhereUncovered) {
  const QColor red(0xE0, 0x10, 0x10), green(0x10, 0xB0, 0x10);
  for (ChartSeriesClass kind : {ChartSeriesClass::kBar, ChartSeriesClass::kHorizBar, ChartSeriesClass::kArea,
                                ChartSeriesClass::kVolume, ChartSeriesClass::kPoint}) {
    ChartWidget c;
    SetUpAxes(c);
    const int high = c.AddSeries(kind);
    const int low = c.AddSeries(kind);
    c.SetSeriesColor(high, red);
    c.SetSeriesColor(low, green);
    for (int i = 0; i < 40; ++i) {
      const double x = kDay0 + (i + 0.5) / 40;
      c.AddPoint(high, x, 70 + (i % 7));
      c.AddPoint(low, x, 30 + (i % 5));
    }
    const QImage img = Render(c);
    // Anti-aliased outlines and the legend's text blend a few pixels.
    EXPECT_GT(ShareOfOwnColour(img, 0, red), 0.9) << static_cast<int>(kind);
    EXPECT_GT(ShareOfOwnColour(img, 1, green), 0.9) << static_cast<int>(kind);
  }
}

TEST(ChartWidget, AWeekOfBarsMeetsWithoutSeams) {
  ChartWidget c;
  // Hourly readings, and readings every five minutes.
  for (int perDay : {24, 288}) {
    SetUpAxes(c);
    c.SetBottomAxisMinMax(kDay0, kDay0 + 7);
    const int a = c.AddSeries(ChartSeriesClass::kBar);
    const int b = c.AddSeries(ChartSeriesClass::kBar);
    c.SetSeriesColor(a, kRed);
    c.SetSeriesColor(b, kGreen);
    for (int i = 0; i < 7 * perDay; ++i) {
      const double x = kDay0 + (i + 0.5) / perDay;
      c.AddPoint(a, x, 40 + (i % 3));
      c.AddPoint(b, x, 30 + (i % 4));
    }
    const QImage img = Render(c, 640, 320);
    const PlotFrame f = LayoutChart(c.Content(), img.rect());
    const int y = static_cast<int>(std::floor(f.value(10)));
    const int from = static_cast<int>(std::ceil(f.position(kDay0 + 0.5 / perDay))) + 1;
    const int to = static_cast<int>(std::floor(f.position(kDay0 + 7 - 0.5 / perDay))) - 1;
    for (int x = from; x <= to; ++x) {
      const QColor px = test::PixelAt(img, x, y);
      EXPECT_TRUE(px == kRed || px == kGreen) << perDay << " a day: column " << x;
    }
  }
}

TEST(ChartWidget, FilledSeriesGrowFromZeroWhereTheAxisShowsIt) {
  struct Case {
    double axisMin, axisMax, value;
    double filledLow, filledHigh;   // a band that is filled
    double emptyLow, emptyHigh;     // a band that stays empty
  };
  const Case cases[] = {
      {-20, 40, 30, 2, 28, -18, -2},   // zero on the axis: nothing below it
      {-20, 40, -15, -13, -2, 2, 38},  // a negative value hangs down from zero
      {10, 40, 30, 12, 28, 32, 38},    // zero off the axis: from the minimum
  };
  for (ChartSeriesClass kind : {ChartSeriesClass::kBar, ChartSeriesClass::kArea, ChartSeriesClass::kVolume}) {
    for (const Case& e : cases) {
      ChartWidget c;
      SetUpAxes(c);
      c.SetLeftAxisMinMax(e.axisMin, e.axisMax);
      const int s = c.AddSeries(kind);
      c.SetSeriesColor(s, kRed);
      for (int i = 0; i < 48; ++i) c.AddPoint(s, kDay0 + (i + 0.5) / 48, e.value);
      const QImage img = Render(c);
      const int k = static_cast<int>(kind);
      EXPECT_GT(RedBetween(c, img, e.filledLow, e.filledHigh), 0) << k << " " << e.axisMin << " " << e.value;
      EXPECT_EQ(RedBetween(c, img, e.emptyLow, e.emptyHigh), 0) << k << " " << e.axisMin << " " << e.value;
    }
  }
}

TEST(ChartWidget, HorizontalBarsGrowFromTheLeft) {
  ChartWidget c;
  SetUpAxes(c);
  const int s = c.AddSeries(ChartSeriesClass::kHorizBar);
  c.SetSeriesColor(s, kRed);
  AddZigZag(c, s);
  const QImage img = Render(c);
  EXPECT_GT(RedBetween(c, img, 2, 10, true), 0);
  EXPECT_EQ(RedBetween(c, img, 85, 100, true), 0);
  EXPECT_TRUE(LayoutChart(c.Content(), img.rect()).horizontal);
}

TEST(ChartWidget, ThreeDimensionalViewAddsDepth) {
  ChartWidget c;
  SetUpAxes(c);
  const int s = c.AddSeries(ChartSeriesClass::kBar);
  c.SetSeriesColor(s, kRed);
  AddZigZag(c, s);
  const QImage flat = Render(c);
  c.SetView3D(true);
  const QImage deep = Render(c);
  EXPECT_NE(flat, deep);
  const QRect area(0, 0, 480, 320);
  EXPECT_EQ(LayoutChart(c.Content(), area).depth, 12);
  c.SetView3D(false);
  EXPECT_EQ(LayoutChart(c.Content(), area).depth, 0);
  // Boxed bars show a lit top face and a shaded side face beside the red front.
  EXPECT_GT(test::CountPixels(deep, kRed.lighter(130)), 0);
  EXPECT_GT(test::CountPixels(deep, kRed.darker(150)), 0);
  EXPECT_EQ(test::CountPixels(flat, kRed.lighter(130)), 0);
}

TEST(ChartWidget, GapsBreakTheLine) {
  ChartWidget c;
  auto draw = [&](bool gap) {
    SetUpAxes(c);
    const int s = c.AddSeries(ChartSeriesClass::kFastLine);
    c.SetSeriesColor(s, kRed);
    for (int i = 0; i < 12; ++i) {
      const double x = kDay0 + (i + 0.5) / 12;
      if (gap && i == 6) c.AddGap(s, x);
      else c.AddPoint(s, x, 50);
    }
    return Render(c);
  };
  const QImage whole = draw(false);
  const QImage broken = draw(true);
  const PlotFrame f = LayoutChart(c.Content(), whole.rect());
  const int y = static_cast<int>(std::floor(f.value(50)));
  auto redAt = [&](const QImage& img, double x) {
    return test::PixelAt(img, static_cast<int>(std::floor(f.position(x))), y) == kRed;
  };
  // Between the points on either side of the gap.
  EXPECT_TRUE(redAt(whole, kDay0 + 6.0 / 12));
  EXPECT_FALSE(redAt(broken, kDay0 + 6.0 / 12));
  EXPECT_FALSE(redAt(broken, kDay0 + 7.0 / 12));
  EXPECT_TRUE(redAt(broken, kDay0 + 4.0 / 12));
  EXPECT_TRUE(redAt(broken, kDay0 + 8.0 / 12));
}

TEST(ChartWidget, ManyPointsKeepEveryColumnsExtremes) {
  ChartWidget c;
  SetUpAxes(c);
  const int s = c.AddSeries(ChartSeriesClass::kPoint);
  c.SetSeriesColor(s, kRed);
  constexpr int kPoints = 200000;
  const int spike = 123457;
  for (int i = 0; i < kPoints; ++i) c.AddPoint(s, kDay0 + (i + 0.5) / kPoints, i == spike ? 95 : (i == spike + 5 ? 5 : 50));
  const QImage img = Render(c);
  const PlotFrame f = LayoutChart(c.Content(), img.rect());
  const int x = static_cast<int>(std::floor(f.position(kDay0 + (spike + 0.5) / kPoints)));
  auto redNear = [&](double value) {
    // Neighbouring markers overlap, so the pixel may be a marker's shaded outline.
    const QColor px = test::PixelAt(img, x, static_cast<int>(std::round(f.value(value))));
    return px == kRed || px == kRed.darker(150);
  };
  EXPECT_TRUE(redNear(95));
  EXPECT_TRUE(redNear(5));
  EXPECT_TRUE(redNear(50));
  EXPECT_FALSE(redNear(75));
}

TEST(ChartWidget, EmptySeriesDrawAxesAndLegend) {
  ChartWidget c;
  SetUpAxes(c);
  const int a = c.AddSeries(ChartSeriesClass::kLine);
  const int b = c.AddSeries(ChartSeriesClass::kLine);
  c.SetSeriesColor(a, kRed);
  c.SetSeriesColor(b, kGreen);
  c.SetSeriesTitle(a, "Indoor Humidity");
  c.SetSeriesTitle(b, "Outdoor Humidity");
  const QImage img = Render(c);
  // Only the legend swatches carry the series colours.
  EXPECT_EQ(test::CountPixels(img, kRed), 12 * 8);
  EXPECT_EQ(test::CountPixels(img, kGreen), 12 * 8);
}

TEST(ChartWidget, DegenerateAxesStillPaint) {
  ChartWidget c;
  SetUpAxes(c);
  c.SetBottomAxisMinMax(kDay0, kDay0);
  c.SetLeftAxisMinMax(100, 0);
  const int s = c.AddSeries(ChartSeriesClass::kLine);
  c.SetSeriesColor(s, kRed);
  c.AddPoint(s, kDay0, 50);
  c.AddPoint(s, kDay0 + 0.01, 60);
  const QImage img = Render(c);
  EXPECT_GT(test::CountPixels(img, kRed), 0);
  const PlotFrame f = LayoutChart(c.Content(), img.rect());
  EXPECT_LT(f.value(100), f.value(0));  // reversed range is put in order
  EXPECT_GT(f.position.hi, f.position.lo);
}

TEST(ChartWidget, SavesAJpegOfTheGivenSize) {
  test::ScratchFolder folder;
  const QDir dir(QString::fromStdString(folder.path().string()));
  ChartWidget c;
  SetUpAxes(c);
  const int s = c.AddSeries(ChartSeriesClass::kBar3D);
  c.SetSeriesColor(s, kRed);
  AddZigZag(c, s);
  const QString path = dir.filePath("Skyvane.jpg");
  ASSERT_TRUE(c.SaveJpeg(path, 1024, 768, 100));
  QImageReader reader(path);
  EXPECT_EQ(reader.format(), "jpeg");
  EXPECT_EQ(reader.size(), QSize(1024, 768));
  const QImage img = reader.read();
  ASSERT_FALSE(img.isNull());
  EXPECT_FALSE(img.allGray());
  // Quality 100: every quantiser of the luminance and chrominance tables is 1.
  const std::vector<int> full = test::JpegQuantisers(path);
  ASSERT_EQ(full.size(), 128u);
  EXPECT_TRUE(std::all_of(full.begin(), full.end(), [](int q) { return q == 1; }));
  ASSERT_TRUE(c.SaveJpeg(dir.filePath("q75.jpg"), 64, 48, 75));
  const std::vector<int> lower = test::JpegQuantisers(dir.filePath("q75.jpg"));
  ASSERT_EQ(lower.size(), 128u);
  EXPECT_TRUE(std::any_of(lower.begin(), lower.end(), [](int q) { return q > 1; }));

  EXPECT_FALSE(c.SaveJpeg(dir.filePath("missing/folder/x.jpg"), 1024, 768, 100));
  EXPECT_FALSE(c.SaveJpeg(dir.filePath("zero.jpg"), 0, 768, 100));
  EXPECT_FALSE(c.SaveJpeg(dir.filePath("q.jpg"), 1024, 768, 101));
  EXPECT_FALSE(QFile::exists(dir.filePath("zero.jpg")));
}

TEST(ChartWidget, AddingManyPointsRequestsFewRepaints) {
  ChartWidget c;
  c.resize(300, 200);
  SetUpAxes(c);
  const int s = c.AddSeries(ChartSeriesClass::kLine);
  const int paints = test::PaintsAfter(c, [&] {
    for (int i = 0; i < 1000; ++i) c.AddPoint(s, kDay0 + i / 1000.0, 50);
  });
  EXPECT_GE(paints, 1);
  EXPECT_LE(paints, 2);
}

}  // namespace
}  // namespace skyvane
