// Start-up to the first painted frame, the program beside a bare Qt window, measured in one run
// on a private X server; and the program's peak memory with its window shown.
//
// Each launch is timed from the process start until its frame is on the screen (polled through
// screen grabs, which costs both the same).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "private_x_server.h"

namespace {

QImage Grab() {
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
      QImage::Format_RGB32);
}

std::optional<QPoint> FindFrame(const QImage& screen, const QImage& frame,
                                const std::vector<QPoint>& samples) {
  for (int y = 0; y + frame.height() <= screen.height(); ++y) {
    for (int x = 0; x + frame.width() <= screen.width(); ++x) {
      bool all = true;
      for (QPoint s : samples) {
        if (screen.pixel(x + s.x(), y + s.y()) != frame.pixel(s)) {
          all = false;
          break;
        }
      }
      if (all) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

long PeakKiB(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
  }
  return -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Launch {
  double ms = -1;
  long peakKiB = -1;
};

// Starts program, waits until expected (the frame at the found place) is on screen.
Launch TimeLaunch(const QString& program, const QProcessEnvironment& env, const QImage& frame,
                  const std::vector<QPoint>& samples, std::optional<QPoint>& at) {
  QProcess process;
  process.setProcessEnvironment(env);
  QElapsedTimer timer;
  timer.start();
  process.start(program, {});
  Launch result;
  if (!process.waitForStarted(5000)) return result;
  while (timer.elapsed() < 20000) {
    const QImage screen = Grab();
    bool shown = false;
    if (at) {
      shown = std::all_of(samples.begin(), samples.end(),
                          [&](QPoint s) { return screen.pixel(*at + s) == frame.pixel(s); });
    } else {
      at = FindFrame(screen, frame, samples);
      shown = at.has_value();
    }
    if (shown) {
      result.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      result.peakKiB = PeakKiB(process.processId());
      break;
    }
  }
  process.kill();
  process.waitForFinished(3000);
  // Let the screen clear before the next launch.
  while (at && Grab().pixel(*at + samples.front()) == frame.pixel(samples.front())) {
    QThread::msleep(5);
  }
  return result;
}

int Run(int runs) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "tarsel-bench-XXXXXX").string();
  const fs::path folder = fs::path(mkdtemp(pattern.data()));
  fs::create_directory_symlink(fs::path(TARSEL_PROGRAM_DIR) / "png", folder / "png");
  fs::copy_file(fs::path(TARSEL_PROGRAM_DIR) / "tarsel", folder / "tarsel");
  const fs::path runtime = folder / "runtime";
  fs::create_directory(runtime);
  fs::permissions(runtime, fs::perms::owner_all);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));

  QProcess simulator;
  simulator.setProcessEnvironment(env);
  simulator.start(QStringLiteral(TARSEL_PROGRAM_DIR "tarsel-kbdsim"),
                  {"--dir", QString::fromStdString((runtime / "tarsel").string())});
  simulator.waitForStarted(5000);
  QThread::msleep(300);

  const QImage main = QImage(QString::fromStdString((folder / "png/english/main.png").string()))
                          .convertToFormat(QImage::Format_RGB32);
  const QImage keyboard =
      QImage(QString::fromStdString((folder / "png/english/kb_BK.png").string()))
          .convertToFormat(QImage::Format_RGB32);
  // The program's frame: main.png where nothing covers it, and the keyboard picture drawn on it.
  QImage programFrame = main.copy();
  for (int y = 0; y < keyboard.height(); ++y) {
    for (int x = 0; x < keyboard.width(); ++x) {
      programFrame.setPixel(307 + x, 211 + y, keyboard.pixel(x, y));
    }
  }
  const std::vector<QPoint> programSamples = {{0, 0},    {600, 0},   {500, 150}, {600, 20},
                                              {10, 640}, {999, 644}, {312, 216}, {700, 400}};
  QImage bareFrame(1000, 645, QImage::Format_RGB32);
  bareFrame.fill(QColor(18, 20, 26));
  const std::vector<QPoint> bareSamples = {{0, 0}, {999, 0}, {500, 300}, {0, 644}, {999, 644}};

  std::optional<QPoint> programAt, bareAt;
  const QString program = QString::fromStdString((folder / "tarsel").string());
  const QString bare = QStringLiteral(TARSEL_BENCH_DIR "tarsel_bare_window");
  // One unmeasured launch each: finds the windows' places and warms the file cache.
  TimeLaunch(program, env, programFrame, programSamples, programAt);
  TimeLaunch(bare, env, bareFrame, bareSamples, bareAt);

  std::vector<double> programMs, bareMs;
  long peak = 0;
  for (int i = 0; i < runs; ++i) {
    const Launch p = TimeLaunch(program, env, programFrame, programSamples, programAt);
    const Launch b = TimeLaunch(bare, env, bareFrame, bareSamples, bareAt);
    if (p.ms > 0) programMs.push_back(p.ms);
    if (b.ms > 0) bareMs.push_back(b.ms);
    peak = std::max(peak, p.peakKiB);
  }
  simulator.terminate();
  simulator.waitForFinished(3000);
  std::error_code ignored;
  fs::remove_all(folder, ignored);

  const double p = Median(programMs), b = Median(bareMs);
  std::printf(
      "start-up to first frame, median of %d: tarsel %.1f ms, bare Qt window %.1f ms, "
      "ratio %.2f (goal <= 2)\n",
      runs, p, b, b > 0 ? p / b : 0.0);
  std::printf("peak memory of tarsel with its window shown: %.1f MiB (goal <= 60)\n",
              static_cast<double>(peak) / 1024.0);
  return programMs.empty() || bareMs.empty() ? 1 : 0;
}

}  // namespace

// Starts a private X server before the toolkit connects to a display.
int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const tarsel::testing::PrivateXServer server;
  if (!server.Running()) return 1;
  int result = 1;
  {
    QApplication app(argc, argv);
    result = Run(runs);
  }
  return result;
}
