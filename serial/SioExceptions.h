#pragma once
// The exceptions of the serial library and CheckException, which turns a
// negative result code into the exception of its class.
//
// ESIOException carries the code in ErrorCode and the message table's text
// as its message; eleven group classes derive from it and the concrete
// classes from the groups, one per code (see the table in the source).
#include "rtl/Exceptions.h"

#include <cstdint>

class TComponent;

class ESIOException : public Exception {
public:
  // ErrorCode := EC, message := the table text of |EC|. PassThru has no effect.
  ESIOException(int32_t EC, bool PassThru);
  // ErrorCode := 0, message := Msg.
  ESIOException(const String& Msg, uint8_t Dummy);

  int32_t ErrorCode() const { return FErrorCode; }
  void SetErrorCode(int32_t Value) { FErrorCode = Value; }
  static int32_t MapCodeToStringID(int32_t Code);

private:
  int32_t FErrorCode;
};

#define SIO_EXCEPTION(Name, Base)                                                                                      \
  class Name : public Base {                                                                                           \
  public:                                                                                                              \
    using Base::Base;                                                                                                  \
  };

SIO_EXCEPTION(EGeneral, ESIOException)
SIO_EXCEPTION(EBadArgument, EGeneral)
SIO_EXCEPTION(EGotQuitMsg, EGeneral)
SIO_EXCEPTION(EBufferTooBig, EGeneral)
SIO_EXCEPTION(EPortNotAssigned, EGeneral)
SIO_EXCEPTION(EInternal, EGeneral)
SIO_EXCEPTION(EModemNotAssigned, EGeneral)
SIO_EXCEPTION(EPhonebookNotAssigned, EGeneral)
SIO_EXCEPTION(ECannotUseWithWinSock, EGeneral)
SIO_EXCEPTION(EOpenComm, ESIOException)
SIO_EXCEPTION(EBadId, EOpenComm)
SIO_EXCEPTION(EBaudRate, EOpenComm)
SIO_EXCEPTION(EByteSize, EOpenComm)
SIO_EXCEPTION(EDefault, EOpenComm)
SIO_EXCEPTION(EHardware, EOpenComm)
SIO_EXCEPTION(EMemory, EOpenComm)
SIO_EXCEPTION(ECommNotOpen, EOpenComm)
SIO_EXCEPTION(EAlreadyOpen, EOpenComm)
SIO_EXCEPTION(ENoHandles, EOpenComm)
SIO_EXCEPTION(ENoTimers, EOpenComm)
SIO_EXCEPTION(ENoPortSelected, EOpenComm)
SIO_EXCEPTION(ENotOpenedByTapi, EOpenComm)
SIO_EXCEPTION(ESerialIO, ESIOException)
SIO_EXCEPTION(ENullApi, ESerialIO)
SIO_EXCEPTION(ERegisterHandlerFailed, ESerialIO)
SIO_EXCEPTION(EPutBlockFail, ESerialIO)
SIO_EXCEPTION(EGetBlockFail, ESerialIO)
SIO_EXCEPTION(EOutputBufferTooSmall, ESerialIO)
SIO_EXCEPTION(EBufferIsEmpty, ESerialIO)
SIO_EXCEPTION(ETracingNotEnabled, ESerialIO)
SIO_EXCEPTION(ELoggingNotEnabled, ESerialIO)
SIO_EXCEPTION(EBaseAddressNotSet, ESerialIO)
SIO_EXCEPTION(EModem, ESIOException)
SIO_EXCEPTION(EModemNotStarted, EModem)
SIO_EXCEPTION(EModemBusy, EModem)
SIO_EXCEPTION(EModemNotDialing, EModem)
SIO_EXCEPTION(ENotDialing, EModem)
SIO_EXCEPTION(EAlreadyDialing, EModem)
SIO_EXCEPTION(EModemNotResponding, EModem)
SIO_EXCEPTION(EModemRejectedCommand, EModem)
SIO_EXCEPTION(EModemStatusMismatch, EModem)
SIO_EXCEPTION(ETrigger, ESIOException)
SIO_EXCEPTION(ENoMoreTriggers, ETrigger)
SIO_EXCEPTION(ETriggerTooLong, ETrigger)
SIO_EXCEPTION(EBadTriggerHandle, ETrigger)
SIO_EXCEPTION(EPacket, ESIOException)
SIO_EXCEPTION(EInvalidProperty, EPacket)
SIO_EXCEPTION(EProtocol, ESIOException)
SIO_EXCEPTION(EINI, ESIOException)
SIO_EXCEPTION(EKeyTooLong, EINI)
SIO_EXCEPTION(EDataTooLarge, EINI)
SIO_EXCEPTION(EIniWrite, EINI)
SIO_EXCEPTION(EIniRead, EINI)
SIO_EXCEPTION(ERecordExists, EINI)
SIO_EXCEPTION(ERecordNotFound, EINI)
SIO_EXCEPTION(EDatabaseFull, EINI)
SIO_EXCEPTION(EDatabaseEmpty, EINI)
SIO_EXCEPTION(EBadFieldList, EINI)
SIO_EXCEPTION(EBadFieldForIndex, EINI)
SIO_EXCEPTION(EFax, ESIOException)
SIO_EXCEPTION(EFaxBadFormat, EFax)
SIO_EXCEPTION(EBadGraphicsFormat, EFax)
SIO_EXCEPTION(EConvertAbort, EFax)
SIO_EXCEPTION(EUnpackAbort, EFax)
SIO_EXCEPTION(ECantMakeBitmap, EFax)
SIO_EXCEPTION(EInvalidPageNumber, EFax)
SIO_EXCEPTION(EFaxBadMachine, EFax)
SIO_EXCEPTION(EFaxBadModemResult, EFax)
SIO_EXCEPTION(EFaxTrainError, EFax)
SIO_EXCEPTION(EFaxInitError, EFax)
SIO_EXCEPTION(EFaxBusy, EFax)
SIO_EXCEPTION(EFaxVoiceCall, EFax)
SIO_EXCEPTION(EFaxDataCall, EFax)
SIO_EXCEPTION(EFaxNoDialTone, EFax)
SIO_EXCEPTION(EFaxNoCarrier, EFax)
SIO_EXCEPTION(EFaxSessionError, EFax)
SIO_EXCEPTION(EFaxPageError, EFax)
SIO_EXCEPTION(ETapi, ESIOException)
SIO_EXCEPTION(ETapiAllocated, ETapi)
SIO_EXCEPTION(ETapiBadDeviceID, ETapi)
SIO_EXCEPTION(ETapiBearerModeUnavail, ETapi)
SIO_EXCEPTION(ETapiCallUnavail, ETapi)
SIO_EXCEPTION(ETapiCompletionOverrun, ETapi)
SIO_EXCEPTION(ETapiConferenceFull, ETapi)
SIO_EXCEPTION(ETapiDialBilling, ETapi)
SIO_EXCEPTION(ETapiDialDialtone, ETapi)
SIO_EXCEPTION(ETapiDialPrompt, ETapi)
SIO_EXCEPTION(ETapiDialQuiet, ETapi)
SIO_EXCEPTION(ETapiIncompatibleApiVersion, ETapi)
SIO_EXCEPTION(ETapiIncompatibleExtVersion, ETapi)
SIO_EXCEPTION(ETapiIniFileCorrupt, ETapi)
SIO_EXCEPTION(ETapiInUse, ETapi)
SIO_EXCEPTION(ETapiInvalAddress, ETapi)
SIO_EXCEPTION(ETapiInvalAddressID, ETapi)
SIO_EXCEPTION(ETapiInvalAddressMode, ETapi)
SIO_EXCEPTION(ETapiInvalAddressState, ETapi)
SIO_EXCEPTION(ETapiInvalAppHandle, ETapi)
SIO_EXCEPTION(ETapiInvalAppName, ETapi)
SIO_EXCEPTION(ETapiInvalBearerMode, ETapi)
SIO_EXCEPTION(ETapiInvalCallComplMode, ETapi)
SIO_EXCEPTION(ETapiInvalCallHandle, ETapi)
SIO_EXCEPTION(ETapiInvalCallParams, ETapi)
SIO_EXCEPTION(ETapiInvalCallPrivilege, ETapi)
SIO_EXCEPTION(ETapiInvalCallSelect, ETapi)
SIO_EXCEPTION(ETapiInvalCallState, ETapi)
SIO_EXCEPTION(ETapiInvalCallStatelist, ETapi)
SIO_EXCEPTION(ETapiInvalCard, ETapi)
SIO_EXCEPTION(ETapiInvalCompletionID, ETapi)
SIO_EXCEPTION(ETapiInvalConfCallHandle, ETapi)
SIO_EXCEPTION(ETapiInvalConsultCallHandle, ETapi)
SIO_EXCEPTION(ETapiInvalCountryCode, ETapi)
SIO_EXCEPTION(ETapiInvalDeviceClass, ETapi)
SIO_EXCEPTION(ETapiInvalDeviceHandle, ETapi)
SIO_EXCEPTION(ETapiInvalDialParams, ETapi)
SIO_EXCEPTION(ETapiInvalDigitList, ETapi)
SIO_EXCEPTION(ETapiInvalDigitMode, ETapi)
SIO_EXCEPTION(ETapiInvalDigits, ETapi)
SIO_EXCEPTION(ETapiInvalExtVersion, ETapi)
SIO_EXCEPTION(ETapiInvalGroupID, ETapi)
SIO_EXCEPTION(ETapiInvalLineHandle, ETapi)
SIO_EXCEPTION(ETapiInvalLineState, ETapi)
SIO_EXCEPTION(ETapiInvalLocation, ETapi)
SIO_EXCEPTION(ETapiInvalMediaList, ETapi)
SIO_EXCEPTION(ETapiInvalMediaMode, ETapi)
SIO_EXCEPTION(ETapiInvalMessageID, ETapi)
SIO_EXCEPTION(ETapiInvalParam, ETapi)
SIO_EXCEPTION(ETapiInvalParkID, ETapi)
SIO_EXCEPTION(ETapiInvalParkMode, ETapi)
SIO_EXCEPTION(ETapiInvalPointer, ETapi)
SIO_EXCEPTION(ETapiInvalPrivSelect, ETapi)
SIO_EXCEPTION(ETapiInvalRate, ETapi)
SIO_EXCEPTION(ETapiInvalRequestMode, ETapi)
SIO_EXCEPTION(ETapiInvalTerminalID, ETapi)
SIO_EXCEPTION(ETapiInvalTerminalMode, ETapi)
SIO_EXCEPTION(ETapiInvalTimeout, ETapi)
SIO_EXCEPTION(ETapiInvalTone, ETapi)
SIO_EXCEPTION(ETapiInvalToneList, ETapi)
SIO_EXCEPTION(ETapiInvalToneMode, ETapi)
SIO_EXCEPTION(ETapiInvalTransferMode, ETapi)
SIO_EXCEPTION(ETapiLineMapperFailed, ETapi)
SIO_EXCEPTION(ETapiNoConference, ETapi)
SIO_EXCEPTION(ETapiNoDevice, ETapi)
SIO_EXCEPTION(ETapiNoDriver, ETapi)
SIO_EXCEPTION(ETapiNoMem, ETapi)
SIO_EXCEPTION(ETapiNoRequest, ETapi)
SIO_EXCEPTION(ETapiNotOwner, ETapi)
SIO_EXCEPTION(ETapiNotRegistered, ETapi)
SIO_EXCEPTION(ETapiOperationFailed, ETapi)
SIO_EXCEPTION(ETapiOperationUnavail, ETapi)
SIO_EXCEPTION(ETapiRateUnavail, ETapi)
SIO_EXCEPTION(ETapiResourceUnavail, ETapi)
SIO_EXCEPTION(ETapiRequestOverrun, ETapi)
SIO_EXCEPTION(ETapiStructureTooSmall, ETapi)
SIO_EXCEPTION(ETapiTargetNotFound, ETapi)
SIO_EXCEPTION(ETapiTargetSelf, ETapi)
SIO_EXCEPTION(ETapiUninitialized, ETapi)
SIO_EXCEPTION(ETapiUserUserInfoTooBig, ETapi)
SIO_EXCEPTION(ETapiReinit, ETapi)
SIO_EXCEPTION(ETapiAddressBlocked, ETapi)
SIO_EXCEPTION(ETapiBillingRejected, ETapi)
SIO_EXCEPTION(ETapiInvalFeature, ETapi)
SIO_EXCEPTION(ETapiNoMultipleInstance, ETapi)
SIO_EXCEPTION(ETapiBusy, ETapi)
SIO_EXCEPTION(ETapiNotSet, ETapi)
SIO_EXCEPTION(ETapiNoSelect, ETapi)
SIO_EXCEPTION(ETapiLoadFail, ETapi)
SIO_EXCEPTION(ETapiGetAddrFail, ETapi)
SIO_EXCEPTION(ETapiVoiceNotSupported, ETapi)
SIO_EXCEPTION(ETapiWaveFail, ETapi)
SIO_EXCEPTION(ETapiTranslateFail, ETapi)
SIO_EXCEPTION(ERas, ESIOException)
SIO_EXCEPTION(ERasLoadFail, ERas)

#undef SIO_EXCEPTION

// Returns Res unchanged when it is not negative or SIOComponent is being
// loaded from its form stream; otherwise raises: the class mapped to the code
// (ErrorCode = Res); for -2 to -162 the run-time's I/O error (ErrorCode =
// |Res|), or its out-of-memory exception for -8; for any other code an
// ESIOException "Telv exception" naming the code (ErrorCode 0).
int32_t CheckException(TComponent* SIOComponent, int32_t Res);
