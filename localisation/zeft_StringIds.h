#pragma once

// The ids of the program's texts in the string tables (resources/strings/*.txt), grouped as
// the tables are. Code looks texts up by these names, never by number.
namespace zeft::TextId {

// --- the about box and the help window ------------------------------------------------------
inline constexpr int AboutTitle = 1000; ///< "About %s"
inline constexpr int AboutProductLine = 1001;
inline constexpr int AboutSupportLine = 1002;
inline constexpr int SupportAddress = 1003;
inline constexpr int Close = 1004;

// --- period captions ------------------------------------------------------------------------
inline constexpr int PeriodCaptionShort = 2000; ///< temperature only
inline constexpr int PeriodCaptionLong = 2001;  ///< start time and temperature

// --- day names: Monday, then the six after it -----------------------------------------------
inline constexpr int FirstDayName = 3000;

// --- the window, its menus and commands -----------------------------------------------------
inline constexpr int ProductName = 4000;
inline constexpr int MenuFile = 4010;
inline constexpr int FileOpen = 4011;
inline constexpr int FileSave = 4012;
inline constexpr int FileSaveAs = 4013;
inline constexpr int FileExit = 4014;
inline constexpr int MenuProgram = 4020;
inline constexpr int SchemeAdd = 4021;
inline constexpr int SchemeAddTemplate = 4022; ///< "Template %s"
inline constexpr int SchemeRemove = 4023;
inline constexpr int SchemePrint = 4024;
inline constexpr int SchemePrintAll = 4025;
inline constexpr int SchemeTransmit = 4026;
inline constexpr int SchemeTransmitCancel = 4027;
inline constexpr int CancelButton = 4028;
inline constexpr int SchemeRestoreSent = 4029;
inline constexpr int SchemeTransmitSeveral = 4030;
inline constexpr int SchemeTransferLog = 4031;
inline constexpr int MenuEdit = 4040;
inline constexpr int EditUndo = 4041;
inline constexpr int EditRedo = 4042;
inline constexpr int SchemeDuplicate = 4043;
inline constexpr int SchemeExportPdf = 4060;
inline constexpr int SchemePrintPreview = 4061;
inline constexpr int PdfFilter = 4062;
inline constexpr int MenuHelp = 4090;
inline constexpr int MenuLanguage = 4091;
inline constexpr int HelpAbout = 4092; ///< "&About %s"
inline constexpr int HelpContents = 4098;
inline constexpr int LanguageGerman = 4200;
inline constexpr int LanguageEnglish = 4201;
inline constexpr int LanguageFrench = 4202;
inline constexpr int SplitPeriod = 4600;

// --- messages -------------------------------------------------------------------------------
inline constexpr int FileFilter = 4801;
inline constexpr int TemperatureChoice = 4802;
inline constexpr int StickMissing = 4803;
inline constexpr int StickReady = 4804;
inline constexpr int TransferProgress = 4805;
inline constexpr int TransferFailed = 4806;
inline constexpr int CannotSave = 4807;
inline constexpr int SaveChangesPrompt = 4808;
inline constexpr int CannotReadFile = 4810;
inline constexpr int OpenCaption = 4811;
inline constexpr int FileMissing = 4812;
inline constexpr int SettingNotStored = 4813;
inline constexpr int CommandLineFileHelp = 4814;
inline constexpr int CommandLineFileName = 4815;
inline constexpr int NoSpaceLeft = 4816; ///< why a save failed: 4816..4819
inline constexpr int NoPermission = 4817;
inline constexpr int ReadOnlyDrive = 4818;
inline constexpr int NoSuchFolder = 4819;
inline constexpr int StickNotPermitted = 4820;
inline constexpr int StickInUse = 4821;
inline constexpr int StickLockDirectory = 4822; ///< the folder, then one of 4823..4828
inline constexpr int DirectoryIsLink = 4823;
inline constexpr int DirectoryNotFolder = 4824;
inline constexpr int DirectoryOtherOwner = 4825;
inline constexpr int DirectoryNotSetUp = 4826; ///< why, as for a failed save
inline constexpr int LockFileUnusable = 4827;
inline constexpr int NoFileLocks = 4828;
inline constexpr int NoPrivateDirectory = 4829;

// --- transfers: the pending request, the room's status, the record --------------------------
inline constexpr int TransferWaiting = 4830; ///< room: waiting for the stick
inline constexpr int TransferOfRoom = 4831;  ///< "room: status text"
inline constexpr int TransferNextTry = 4832; ///< failure text, then the time of the next try
inline constexpr int TransferSent = 4833;
inline constexpr int TransferCancelled = 4834;
inline constexpr int TransferGivenUp = 4835;
inline constexpr int TransferHeldPrompt = 4836;
inline constexpr int TransferSend = 4837;
inline constexpr int TransferWithdraw = 4838;
inline constexpr int RoomNeverSent = 4840;
inline constexpr int RoomSentOn = 4841;
inline constexpr int RoomChangedSince = 4842;
inline constexpr int RoomChangedDays = 4843;
inline constexpr int RecordSetAside = 4844;
inline constexpr int RecordUnavailable = 4845;
inline constexpr int RunTitle = 4850;
inline constexpr int RunNext = 4851;
inline constexpr int RunSkip = 4852;
inline constexpr int RunStop = 4853;
inline constexpr int RunTryAgain = 4854;
inline constexpr int RunStart = 4855;
inline constexpr int RunSkipped = 4856;
inline constexpr int RunSummary = 4857;
inline constexpr int RunChoose = 4858;
inline constexpr int RunFailed = 4859;
inline constexpr int RunSending = 4860;
inline constexpr int HistoryTitle = 4870;
inline constexpr int HistoryTime = 4871;
inline constexpr int HistoryRoom = 4872;
inline constexpr int HistoryFile = 4873;
inline constexpr int HistoryResult = 4874;
inline constexpr int HistoryPeriods = 4875;
inline constexpr int HistorySelectedRoomOnly = 4876;
inline constexpr int HistoryExport = 4877;
inline constexpr int HistoryCsvFilter = 4878;
inline constexpr int ResultPending = 4879; ///< then sent, failed, withdrawn
inline constexpr int HistoryCannotExport = 4883;
inline constexpr int LinkNotFollowed = 4884; ///< why a save failed: a link in a shared folder

// --- the schedule area ----------------------------------------------------------------------
inline constexpr int ChangedOnDisk = 4890;
inline constexpr int Overwrite = 4891;
inline constexpr int ChangedOutside = 4892;
inline constexpr int ReloadFile = 4893;
inline constexpr int KeepMine = 4894;
inline constexpr int FileGone = 4895;
inline constexpr int OpenInAnotherCopy = 4896;
inline constexpr int TooManyPeriods = 4901;
inline constexpr int DayListHint = 4902;
inline constexpr int CopyTo = 4910;
inline constexpr int CopyToWeekdays = 4911;
inline constexpr int CopyToWeekend = 4912;
inline constexpr int CopyToAllDays = 4913;
inline constexpr int PeriodDialogTitle = 4914;
inline constexpr int PeriodDialogStart = 4915;
inline constexpr int PeriodDialogTemperature = 4916;

// --- names for screen readers ---------------------------------------------------------------
inline constexpr int PeriodAccessibleName = 4950;
inline constexpr int DayRowAccessibleName = 4951;
inline constexpr int TemperatureChooserName = 4952;
inline constexpr int BinName = 4953;
inline constexpr int BinDescription = 4954;
inline constexpr int SplitButtonName = 4955;
inline constexpr int TransmitButtonName = 4956;
inline constexpr int DayListName = 4957;
inline constexpr int StatusBarName = 4958;
inline constexpr int LocationListName = 4959;

// --- recovery copies of unsaved changes -----------------------------------------------------
inline constexpr int RecoveryTitle = 4960;
inline constexpr int RecoveryPrompt = 4961;         ///< file, date, time
inline constexpr int RecoveryPromptUntitled = 4962; ///< (unused), date, time
inline constexpr int RecoveryRestore = 4963;
inline constexpr int RecoveryDiscard = 4964;
inline constexpr int RecoveryLater = 4965;

// --- printing -------------------------------------------------------------------------------
inline constexpr int PrintJobTitle = 6000;
inline constexpr int PrintPageHeading = 6001;
inline constexpr int PrintTemperatureCell = 6002;
inline constexpr int PrintEmptyTimeCell = 6003;
inline constexpr int PrintEmptyTemperatureCell = 6004;
inline constexpr int PrintPageNumbers = 6010;
inline constexpr int PrintedOn = 6011;

} // namespace zeft::TextId
