#pragma once
// A pseudo-terminal pair standing in for a serial cable in tests and timing
// programs: open the slave path as a port, and play the instrument on the
// master side. Closing the master makes the port's device vanish.
#include "rtl/Types.h"
#include <cstdint>

class PtyPair {
public:
  PtyPair(); // opens the pair; check IsOpen()
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool IsOpen() const { return FMaster >= 0; }
  // The device path to open as a port, for example /dev/pts/3.
  String SlavePath() const { return FSlavePath; }
  int MasterFd() const { return FMaster; }
  // Simulates a device that disappears (a pulled USB adapter).
  void CloseMaster();

  // Writes all of Data on the master side; false on failure.
  bool WriteMaster(const AnsiString& Data);
  // Reads what arrives on the master side until Count bytes have come or
  // TimeoutMs has passed; returns what came.
  AnsiString ReadMaster(int32_t Count, int32_t TimeoutMs);

private:
  int FMaster = -1;
  // Kept open so that the terminal outlives closes of the port and the
  // master never reads end-of-file between two opens.
  int FSlave = -1;
  String FSlavePath;
};
