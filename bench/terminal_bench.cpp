// Throughput of the teletype emulator: 10 MB of mixed text (lines of every
// length, some wrapping, CR LF and bare LF, tabs, backspaces, bells, escape
// sequences it ignores, bytes above 127) through TSioTTYEmulator into an
// 80 x 25 screen with 1000 rows of scroll-back, in 256-byte blocks as the
// port delivers them. The reference, timed in the same run, is the least a
// teletype can do: every byte into a flat grid of characters with the same
// wrapping and line feeds, without attributes, colours or changed areas.
#include "serial/terminal/SioTerminalEmulator.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t Cols = 80;
constexpr int32_t ScreenRows = 25;
constexpr int32_t ScrollbackRows = 1000;
constexpr size_t TotalBytes = 10u * 1024 * 1024;
constexpr int32_t BlockSize = 256;
constexpr int Rounds = 3;
constexpr double RequiredMBps = 20.0;

std::vector<char> MixedText()
{
  std::vector<char> T;
  T.reserve(TotalBytes + 200);
  uint32_t Seed = 20230413;
  const auto Next = [&Seed](uint32_t Range) {
    Seed = Seed * 1664525u + 1013904223u;
    return (Seed >> 8) % Range;
  };
  while (T.size() < TotalBytes) {
    const uint32_t Kind = Next(100);
    const uint32_t Len = Kind < 5 ? 81 + Next(120) : 5 + Next(70); // a few rows wrap
    for (uint32_t I = 0; I < Len; ++I) {
      const uint32_t R = Next(1000);
      if (R < 10)
        T.push_back('\t');
      else if (R < 12)
        T.push_back('\b');
      else if (R < 13)
        T.push_back('\x07');
      else if (R < 15) {
        for (char C : {'\x1b', '[', '0', 'm'})
          T.push_back(C);
      } else if (R < 40)
        T.push_back(char(0xA0 + Next(96)));
      else
        T.push_back(char(32 + Next(95)));
    }
    if (Kind < 90) {
      T.push_back('\r');
      T.push_back('\n');
    } else {
      T.push_back('\n');
    }
  }
  T.resize(TotalBytes);
  return T;
}

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point A, TClock::time_point B) { return std::chrono::duration<double>(B - A).count(); }

double MBps(double Secs) { return double(TotalBytes) / (1024.0 * 1024.0) / Secs; }

// The reference teletype: a ring of rows of characters, nothing else.
struct TPlainTeletype {
  std::vector<char> Cells = std::vector<char>(size_t(Cols) * (ScreenRows + ScrollbackRows), ' ');
  int32_t Rows = ScreenRows + ScrollbackRows;
  int32_t Top = 0; // ring position of the oldest row
  int32_t Row = ScreenRows + ScrollbackRows - ScreenRows;
  int32_t Col = 0;
  bool Beyond = false;

  char* RowAt(int32_t R) { return Cells.data() + size_t((Top + R) % Rows) * Cols; }
  void LineFeed()
  {
    if (Row < Rows - 1) {
      ++Row;
      return;
    }
    Top = (Top + 1) % Rows;
    std::memset(RowAt(Rows - 1), ' ', Cols);
  }
  void Feed(const char* P, int32_t N)
  {
    for (int32_t I = 0; I < N; ++I) {
      const uint8_t Ch = uint8_t(P[I]);
      if (Ch >= 32) {
        if (Beyond) {
          Beyond = false;
          Col = 0;
          LineFeed();
        }
        RowAt(Row)[Col] = char(Ch);
        if (Col == Cols - 1)
          Beyond = true;
        else
          ++Col;
        continue;
      }
      Beyond = false;
      if (Ch == '\r')
        Col = 0;
      else if (Ch == '\n')
        LineFeed();
      else if (Ch == '\b' && Col > 0)
        --Col;
      else if (Ch == '\t')
        Col = std::min(Cols - 1, (Col / 8 + 1) * 8);
    }
  }
};

template <class F>
double Best(F&& Run)
{
  double BestSecs = 1e9;
  for (int R = 0; R < Rounds; ++R) {
    const auto A = TClock::now();
    Run();
    BestSecs = std::min(BestSecs, Seconds(A, TClock::now()));
  }
  return BestSecs;
}

} // namespace

int main(int argc, char** argv)
{
  QCoreApplication App(argc, argv);
  const std::vector<char> Text = MixedText();

  // The screens' last rows, printed so that neither run can be left out.
  std::string ReferenceRow;
  const double Reference = Best([&] {
    TPlainTeletype T;
    for (size_t Pos = 0; Pos < Text.size(); Pos += BlockSize)
      T.Feed(Text.data() + Pos, int32_t(std::min<size_t>(BlockSize, Text.size() - Pos)));
    ReferenceRow.assign(T.RowAt(T.Rows - 1), Cols);
  });

  AnsiString LastRow;
  const double Emulator = Best([&] {
    TSioTTYEmulator E(nullptr);
    TSioTerminalBuffer* B = E.Buffer();
    B->tbSetSVRowCount(ScreenRows + ScrollbackRows);
    B->tbSetRowCount(ScreenRows);
    B->tbSetColCount(Cols);
    TRect Changed;
    for (size_t Pos = 0; Pos < Text.size(); Pos += BlockSize) {
      E.ProcessBlock(Text.data() + Pos, int32_t(std::min<size_t>(BlockSize, Text.size() - Pos)), csPort);
      // What a lazy paint takes away now and then.
      if (Pos % (BlockSize * 64) == 0)
        B->GetInvalidRect(Changed);
    }
    LastRow = AnsiString(static_cast<const char*>(B->GetLineCharPtr(ScreenRows)), Cols);
  });

  const double Rate = MBps(Emulator);
  std::printf("Teletype emulator, 80 x 25 with 1000 scroll-back rows, %zu MB of mixed text in %d-byte blocks\n",
              TotalBytes / (1024 * 1024), BlockSize);
  std::printf("  reference (plain character grid): %8.1f MB/s\n", MBps(Reference));
  std::printf("  TSioTTYEmulator:                  %8.1f MB/s  (%.2f x the reference's time)\n", Rate,
              Emulator / Reference);
  std::printf("  required: at least %.0f MB/s: %s\n", RequiredMBps, Rate >= RequiredMBps ? "met" : "NOT MET");
  std::printf("  last screen rows %s\n", LastRow.toStdString() == ReferenceRow ? "agree" : "differ");
  return Rate >= RequiredMBps ? 0 : 1;
}
