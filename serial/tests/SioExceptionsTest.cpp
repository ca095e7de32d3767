#include "serial/SioExceptions.h"

#include "platform/Component.h"
#include "platform/SerialDevice.h"
#include "serial/SioDispatchTypes.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace {

// Runs CheckException and reports the exception's class test, code and text.
struct Raised {
  bool Any = false;
  bool RightClass = false;
  int32_t Code = 0;
  String Message;
};

template <class E>
Raised Check(int32_t Res, const std::function<int32_t(const E&)>& CodeOf)
{
  Raised R;
  try {
    CheckException(nullptr, Res);
  } catch (const E& Ex) {
    R.Any = R.RightClass = true;
    R.Code = CodeOf(Ex);
    R.Message = Ex.Message();
  } catch (const Exception& Ex) {
    R.Any = true;
    R.Message = Ex.Message();
  }
  return R;
}

template <class E>
Raised CheckSio(int32_t Res)
{
  return Check<E>(Res, [](const E& Ex) { return Ex.ErrorCode(); });
}

} // namespace

TEST(CheckException, NonNegativeResultsPassThrough)
{
  for (int32_t Res : {0, 1, 5, 32767})
    EXPECT_EQ(CheckException(nullptr, Res), Res);
}

TEST(CheckException, NothingIsRaisedWhileTheComponentLoads)
{
  TComponent C(nullptr);
  C.IncludeState(csLoading);
  for (int32_t Res : {-1, -161, -2001, -5003, -8})
    EXPECT_EQ(CheckException(&C, Res), Res);
}

TEST(CheckException, MappedCodesRaiseTheirClassWithTheTableText)
{
  const struct {
    int32_t Code;
    std::function<Raised(int32_t)> Run;
    const char* Text;
  } Cases[] = {
      {-5003, CheckSio<EBadTriggerHandle>, "Bad trigger handle"},
      {-5003, CheckSio<ETrigger>, "Bad trigger handle"},
      {-1002, CheckSio<EBadArgument>, "Bad argument passed to function"},
      {-1006, CheckSio<EInternal>, "Internal error creating window class"},
      {-7003, CheckSio<EInternal>, nullptr},
      {-7012, CheckSio<EGeneral>, nullptr},
      {-2001, CheckSio<EBadId>, "ie_BadId - Specified comport doesn't exist"},
      {-2007, CheckSio<EOpenComm>, "ie_NOpen - device not open"},
      {-2011, CheckSio<ENoPortSelected>, "The ComNumber property of the TSioComPort has not been set"},
      {-3001, CheckSio<ENullApi>, "No device layer specified"},
      {-3006, CheckSio<EOutputBufferTooSmall>, "Output buffer too small for block"},
      {-3010, CheckSio<ESerialIO>, "Base address not set"},
      {-4008, CheckSio<EModemStatusMismatch>, nullptr},
      {-6006, CheckSio<EProtocol>, nullptr},
      {-6009, CheckSio<EProtocol>, nullptr},
      {-7014, CheckSio<EBadFieldForIndex>, nullptr},
      {-8053, CheckSio<EInvalidPageNumber>, nullptr},
      {-8070, CheckSio<EFax>, nullptr},
      {-13801, CheckSio<ETapiAllocated>, nullptr},
      {-13803, CheckSio<ETapiBearerModeUnavail>, nullptr},
      {-13805, CheckSio<ETapiCallUnavail>, nullptr},
      {-13850, CheckSio<ETapiInvalParam>, nullptr},
      {-13868, CheckSio<ETapiNoMem>, "No memory"},
      {-13886, CheckSio<ETapiNoMultipleInstance>, nullptr},
      {-13928, CheckSio<ETapiBusy>, nullptr},
      {-13935, CheckSio<ETapiVoiceNotSupported>, nullptr},
      {-13942, CheckSio<ETapiTranslateFail>, nullptr},
      {-13980, CheckSio<ERasLoadFail>, nullptr},
  };
  for (const auto& C : Cases) {
    const Raised R = C.Run(C.Code);
    EXPECT_TRUE(R.RightClass) << C.Code << ": " << R.Message.toStdString();
    EXPECT_EQ(R.Code, C.Code) << C.Code;
    EXPECT_FALSE(R.Message.isEmpty()) << C.Code;
    if (C.Text) {
      EXPECT_EQ(R.Message, QString::fromLatin1(C.Text)) << C.Code;
    }
  }
}

TEST(CheckException, RunTimeFileAndDeviceErrorsRaiseIOErrors)
{
  const struct {
    int32_t Code;
    const char* Text;
  } Cases[] = {
      {-161, "Device read error"},
      {-160, "Device write error"},
      {-100, "Attempt to read beyond end of file"},
      {-2, "File not found"},
      {-7, nullptr}, // in the range, absent from the table
      {-162, "Hardware failure"},
  };
  for (const auto& C : Cases) {
    const Raised R = Check<EInOutError>(C.Code, [](const EInOutError& E) { return E.ErrorCode; });
    EXPECT_TRUE(R.RightClass) << C.Code;
    EXPECT_EQ(R.Code, -C.Code) << C.Code;
    const String Want = C.Text ? QString::fromLatin1(C.Text) : TelvLoadStr(-C.Code);
    EXPECT_EQ(R.Message, Want);
  }
  EXPECT_THROW(CheckException(nullptr, -8), EOutOfMemory);
}

TEST(CheckException, UnmappedCodesRaiseTheBaseClassNamingTheCode)
{
  for (int32_t Code : {-1, -1001, -3002, -4009, -5501, -5506, -6001, -163, -20000}) {
    try {
      CheckException(nullptr, Code);
      ADD_FAILURE() << Code << " raised nothing";
    } catch (const EInvalidProperty&) {
      ADD_FAILURE() << Code << " raised the packet's property error";
    } catch (const ESIOException& E) {
      EXPECT_EQ(typeid(E), typeid(ESIOException)) << Code;
      EXPECT_EQ(E.ErrorCode(), 0) << Code;
      EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Telv exception"))) << Code;
      EXPECT_TRUE(E.Message().contains(QString::number(Code))) << E.Message().toStdString();
    }
  }
  try {
    CheckException(nullptr, -1001);
  } catch (const ESIOException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Telv exception -1001: Bad handle passed to com function"));
  }
}

TEST(SioExceptionConstruction, CreateTakesTheTextOfTheAbsoluteCode)
{
  const EInvalidProperty E(-5501, false);
  EXPECT_EQ(E.ErrorCode(), -5501);
  EXPECT_EQ(E.Message(), QStringLiteral("Start string is empty"));
  const ESIOException U(QStringLiteral("any text"), 0);
  EXPECT_EQ(U.ErrorCode(), 0);
  EXPECT_EQ(U.Message(), QStringLiteral("any text"));
  EXPECT_EQ(ESIOException::MapCodeToStringID(-5003), 5003);
  EXPECT_EQ(ESIOException::MapCodeToStringID(4200), 4200);
}

TEST(MessageTable, HoldsEveryCodeOnceInOrder)
{
  const SioMessageNumberLookupRecord* T = SioMessageTable();
  std::set<int32_t> Seen;
  int32_t Questions = 0;
  for (int32_t I = 0; I < SioMessageCount; ++I) {
    const int32_t Abs = std::abs(T[I].MessageNumber);
    if (I > 0) {
      EXPECT_LT(std::abs(T[I - 1].MessageNumber), Abs) << "entry " << I;
    }
    Seen.insert(Abs);
    ASSERT_NE(T[I].MessageString, nullptr);
    EXPECT_NE(T[I].MessageString[0], '\0') << T[I].MessageNumber;
    if (QByteArray(T[I].MessageString) == "?")
      ++Questions;
  }
  EXPECT_EQ(Seen.size(), size_t(897));
  EXPECT_EQ(Questions, 11);
  // Every code of the ranges is present and found by the search.
  const struct {
    int32_t Lo, Hi;
  } Ranges[] = {{1001, 1009}, {2001, 2012}, {3001, 3010}, {5001, 5003}, {5501, 5506}, {13801, 13803},
                {15001, 15021}, {15100, 15356}, {15601, 15608}, {15700, 15742}};
  for (const auto& R : Ranges)
    for (int32_t C = R.Lo; C <= R.Hi; ++C)
      EXPECT_FALSE(MessageNumberToString(C).isEmpty()) << C;
  for (int32_t Absent : {1, 7, 13804, 13849, 15099, 15743, 30000})
    EXPECT_TRUE(MessageNumberToString(Absent).isEmpty()) << Absent;
}

TEST(MessageTable, TextsOfTheSerialCore)
{
  const struct {
    int32_t Code;
    const char* Text;
  } Cases[] = {
      {0, "OK"},
      {-8, "Insufficient memory"},
      {-160, "Device write error"},
      {-161, "Device read error"},
      {-1001, "Bad handle passed to com function"},
      {-1002, "Bad argument passed to function"},
      {-1003, "Got quit message"},
      {-1005, "ComPort component not assigned"},
      {-1006, "Internal error creating window class"},
      {-2001, "ie_BadId - Specified comport doesn't exist"},
      {-2002, "ie_Baudrate - unsupported baud rate"},
      {-2003, "ie_Bytesize - invalid byte size"},
      {-2004, "ie_Default - error in default parameters"},
      {-2005, "ie_Hardware - Specified comport in use"},
      {-2006, "ie_Memory - unable to allocate queues"},
      {-2007, "ie_NOpen - device not open"},
      {-2008, "ie_Open - device already open"},
      {-2009, "No more handles, can't open port"},
      {-2010, "No timers available"},
      {-2011, "The ComNumber property of the TSioComPort has not been set"},
      {-2012, "Comport was not opened by Tapi"},
      {-3001, "No device layer specified"},
      {-3002, "Function not supported by driver"},
      {-3003, "EnableCommNotification failed"},
      {-3004, "Failed to put entire block"},
      {-3005, "Failed to get entire block"},
      {-3006, "Output buffer too small for block"},
      {-3007, "Buffer is empty"},
      {-3008, "Tracing not enabled"},
      {-3009, "Logging not enabled"},
      {-3010, "Base address not set"},
      {-5001, "No more trigger slots"},
      {-5002, "Data trigger too long"},
      {-5003, "Bad trigger handle"},
      {-5501, "Start string is empty"},
      {-5502, "Packet size cannot be smaller than start string"},
      {-5503, "CharCount packets must have an end-condition"},
      {-5504, "End string is empty"},
      {-5505, "Packet size cannot be zero"},
      {-5506, "Packet too long"},
      {-13868, "No memory"},
      {15002, "Dispatch"},
      {15101, "ReadCom"},
      {15132, "StringPacket"},
      {15356, "tzCheckSInit"},
      {15501, "Time      Type      SubType       Data      OtherData"},
      {15502, "--------  --------  ------------  --------  ---------"},
      {15601, "DCTS "},
      {15608, "DCD "},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(MessageNumberToString(C.Code), QString::fromLatin1(C.Text)) << C.Code;
    EXPECT_EQ(MessageNumberToString(-C.Code), QString::fromLatin1(C.Text)) << C.Code;
  }
  EXPECT_EQ(MessageNumberToString(15100 + dstStringPacket), QStringLiteral("StringPacket"));
  EXPECT_EQ(MessageNumberToString(15100 + dstCollecting), QStringLiteral("Collecting"));
  EXPECT_EQ(MessageNumberToString(15100 + dsttzCheckSInit), QStringLiteral("tzCheckSInit"));
  EXPECT_EQ(MessageNumberToString(15000 + 1 + dtPacket), QStringLiteral("Packet"));
}

TEST(TelvLoadStr, SignDoesNotMatterAbsentCodesGetTheSystemText)
{
  EXPECT_EQ(TelvLoadStr(5003), TelvLoadStr(-5003));
  EXPECT_EQ(TelvLoadStr(5003), QStringLiteral("Bad trigger handle"));
  EXPECT_EQ(TelvLoadStr(7), SerialErrorText(7));
  EXPECT_TRUE(TelvLoadStr(7).contains(QLatin1Char('7')));
  EXPECT_EQ(TelvLoadStr(87), SerialErrorText(87));
}
