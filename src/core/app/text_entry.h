#pragma once
// Txt: one identifier per entry of the three-language text table, in table order.
//
// Finding an entry by its English text: search text_table_data.cpp for the
// text in double quotes; each row starts with its identifier, e.g.
//   grep -n '"Operation Notify"' src/core/app/text_table_data.cpp
// Two English texts name two entries each; they differ in German:
//   "Operation Notify": OperationNotify ("Bestätigung", every question and notice)
//                       and OperationNotifyLanguage ("Änderung speichern", the
//                       Language dialog's restart question);
//   "Language":         LanguageTitle ("Sprache auswählen", dialog title) and
//                       LanguageLabel ("Sprache", group label).
// Texts that differ only in letter case are told apart by a Lower suffix
// ("read" ReadLower, "Read" Read; also data, history, scope).
#include <cstddef>
#include <cstdint>

namespace skyvane {

enum class Txt : std::uint8_t {
  // Messages and questions (message box texts)
  ResetMinMaxDataFail,
  InitSetupDataFail,
  SaveAlarmDataFail,
  SaveSetupDataFail,
  ReadScopeDataFail,
  ReadSetupDataFail,
  ReadAlarmDataFail,
  CantCommunicateWithDevice,
  DeviceIsBusy,
  PleaseSelectData,
  NeedAdministratorPrivilege,
  AskResetMinMax,
  AskInitSetup,
  AskSaveAndRestart,
  AskClearDeviceMemory,
  AskClearPcData,
  AskDeleteSelectedItems,
  AskSave,

  // Message box captions
  OperationNotify,
  OperationNotifyLanguage,

  // Status and progress texts, main window title
  ReadDataFrom,
  DataHasBeenRead,
  DataHasBeenProcessed,
  ComputeHistoryRainData,
  SaveAllDataOnPc,
  LastReadTime,
  ReadRecords,
  TotalRecords,
  MainWindowTitle,

  // Quantity names: grid columns, graph labels and series
  IndoorTemperature,
  OutdoorTemperature,
  IndoorHumidity,
  OutdoorHumidity,
  AbsolutePressure,
  RelativePressure,
  Windchill,
  Dewpoint,
  Wind,
  Gust,
  WindVelocity,
  GustVelocity,
  WindLevel,
  GustLevel,
  Direction,
  Rain,
  TotalRain,
  HourRainfall,
  Rainfall24Hour,
  WeekRainfall,
  MonthRainfall,
  TotalRainfall,
  Increment,
  Interval,
  Time,
  SampleTime,
  Unit,
  Weather,

  // Chart types
  ChartLine,
  ChartBar,
  ChartHorizBar,
  ChartArea,
  ChartPoint,
  ChartFastLine,
  ChartArrow,
  ChartVolume,
  ChartBezier,
  ChartPoint3D,
  ChartBar3D,

  // Language and About dialogs
  English,
  German,
  Danish,
  LanguageTitle,
  LanguageLabel,
  Save,
  Cancel,
  AboutSkyvane,

  // Date and time formats (the same in every language)
  ChartDateTimeFormat,
  TimestampFormat,
  DatePickerFormat,

  // Further entries no window reads
  Inch,
  Millimetre,
  AlarmEnable,
  GraphType,
  DataSource,
  EndTime,
  StartTime,
  Fail,
  Success,
  Communicate,
  Get,
  ReadLower,
  Read,
  Write,
  Ready,
  File,
  Quit,
  Confirm,
  Notify,
  Operation,
  Others,
  General,
  NotConnected,
  Connected,
  CurrentValue,
  AlarmValue,
  Enabled,
  Second,
  Minute,
  Hour,
  Day,
  Month,
  Year,
  DateWithWeek,
  DateWithYear,
  Circle,
  Device,
  Update,
  Software,
  Copyright,
  Version,
  Export,
  Graph,
  Memory,
  DataLower,
  Data,
  Clear,
  Refresh,
  End,
  Start,
  Condition,
  Search,
  Ok,
  Minimum,
  Maximum,
  High,
  Low,
  Total,
  Week,
  Axis,
  Date,
  Format,
  Velocity,
  TimeZone,
  Italian,
  French,
  Last,
  Rainfall,
  Level,
  Pressure,
  Relative,
  Absolute,
  Humidity,
  Temperature,
  Outdoor,
  Indoor,
  About,
  Help,
  HistoryLower,
  History,
  Record,
  ScopeLower,
  Scope,
  Alarm,
  Setup,
  System,
  Exit,
  StatusBar,
  ToolBar,
  Display,
  Receiver,
  Wireless,

  // Messages of the polling programs; "%1", "%2" are filled in by FillIn
  SaveRecordsFail,
  RecordsLostByStation,
  DataFileInUse,
  StationResetOrReplaced,

  // The desktop's status bar while no station answers
  NoStationFound,
  NoStationHelp,
};

inline constexpr std::size_t kTextEntryCount = static_cast<std::size_t>(Txt::NoStationHelp) + 1;

}  // namespace skyvane
