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
  } Ranges[] = {{1001, 1009},   {2001, 2012},   {3001, 3010},   {5001, 5003},   {5501, 5506},
                {13801, 13803}, {15001, 15021}, {15100, 15356}, {15601, 15608}, {15700, 15742}};
  for (const auto& R : Ranges)
    for (int32_t C = R.Lo; C <= R.Hi; ++C)
      EXPECT_FALSE(MessageNumberToString(C).isEmpty()) << C;
  for (int32_t Absent : {1, 7, 13804, 13849, 15099, 15743, 30000})
    EXPECT_TRUE(MessageNumberToString(Absent).isEmpty()) << Absent;
}

// The codes are named as the library's callers use them, so a constant or a
// log base that drifts from its text fails here, not only a changed text.
TEST(MessageTable, TextsOfTheSerialCore)
{
  const struct {
    int32_t Code;
    const char* Text;
  } Cases[] = {
      {ecOK, "OK"},
      {ecOutOfMemory, "Insufficient memory"},
      {ecDeviceWrite, "Device write error"},
      {ecDeviceRead, "Device read error"},
      {ecBadHandle, "Bad handle passed to com function"},
      {ecBadArgument, "Bad argument passed to function"},
      {ecGotQuitMsg, "Got quit message"},
      {ecPortNotAssigned, "ComPort component not assigned"},
      {ecInternal, "Internal error creating window class"},
      {ecBadId, "ie_BadId - Specified comport doesn't exist"},
      {ecBaudRate, "ie_Baudrate - unsupported baud rate"},
      {ecByteSize, "ie_Bytesize - invalid byte size"},
      {ecDefault, "ie_Default - error in default parameters"},
      {ecHardware, "ie_Hardware - Specified comport in use"},
      {ecMemory, "ie_Memory - unable to allocate queues"},
      {ecCommNotOpen, "ie_NOpen - device not open"},
      {ecAlreadyOpen, "ie_Open - device already open"},
      {ecNoHandles, "No more handles, can't open port"},
      {ecNoTimers, "No timers available"},
      {ecNoPortSelected, "The ComNumber property of the TSioComPort has not been set"},
      {ecNotOpenedByTapi, "Comport was not opened by Tapi"},
      {ecNullApi, "No device layer specified"},
      {ecNotSupported, "Function not supported by driver"},
      {ecRegisterHandlerFailed, "EnableCommNotification failed"},
      {ecPutBlockFail, "Failed to put entire block"},
      {ecGetBlockFail, "Failed to get entire block"},
      {ecOutputBufferTooSmall, "Output buffer too small for block"},
      {ecBufferIsEmpty, "Buffer is empty"},
      {ecTracingNotEnabled, "Tracing not enabled"},
      {ecLoggingNotEnabled, "Logging not enabled"},
      {ecBaseAddressNotSet, "Base address not set"},
      {ecNoMoreTriggers, "No more trigger slots"},
      {ecTriggerTooLong, "Data trigger too long"},
      {ecBadTriggerHandle, "Bad trigger handle"},
      {ecStartStringEmpty, "Start string is empty"},
      {ecPacketTooSmall, "Packet size cannot be smaller than start string"},
      {ecNoEndCharCount, "CharCount packets must have an end-condition"},
      {ecEmptyEndString, "End string is empty"},
      {ecZeroSizePacket, "Packet size cannot be zero"},
      {ecPacketTooLong, "Packet too long"},
      {ecTapiNoMem, "No memory"},
      {DispatchTypeNameBase + 1 + dtDispatch, "Dispatch"},
      {DispatchTypeNameBase + 1 + dtPacket, "Packet"},
      {DispatchSubTypeNameBase + dstReadCom, "ReadCom"},
      {DispatchSubTypeNameBase + dstStringPacket, "StringPacket"},
      {DispatchSubTypeNameBase + dstCollecting, "Collecting"},
      {DispatchSubTypeNameBase + dsttzCheckSInit, "tzCheckSInit"},
      {LogColumnHeadingCode, "Time      Type      SubType       Data      OtherData"},
      {LogColumnRuleCode, "--------  --------  ------------  --------  ---------"},
      {ModemBitNameBase, "DCTS "},
      {ModemBitNameBase + 7, "DCD "},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(MessageNumberToString(C.Code), QString::fromLatin1(C.Text)) << C.Code;
    EXPECT_EQ(MessageNumberToString(-C.Code), QString::fromLatin1(C.Text)) << C.Code;
  }
  // The numbers the log and the exceptions print, written out once more.
  EXPECT_EQ(ecBadHandle, -1001);
  EXPECT_EQ(ecTapiNoMem, -13868);
  EXPECT_EQ(DispatchSubTypeNameBase + dstStringPacket, 15132);
  EXPECT_EQ(DispatchSubTypeNameBase + dsttzCheckSInit, 15356);
  EXPECT_EQ(DispatchTypeNameBase + 1 + dtDispatch, 15002);
  EXPECT_EQ(ModemBitNameBase + 7, 15608);
}

TEST(TelvLoadStr, SignDoesNotMatterAbsentCodesGetTheSystemText)
{
  EXPECT_EQ(TelvLoadStr(5003), TelvLoadStr(-5003));
  EXPECT_EQ(TelvLoadStr(5003), QStringLiteral("Bad trigger handle"));
  EXPECT_EQ(TelvLoadStr(7), SerialErrorText(7));
  EXPECT_TRUE(TelvLoadStr(7).contains(QLatin1Char('7')));
  EXPECT_EQ(TelvLoadStr(87), SerialErrorText(87));
}
