#pragma once
// The tags of the built-in repair actions. A command whose text is a tag
// runs inside the program instead of starting a process; the dispatcher
// tries the stages in the order listed here, and the catalogue's commands
// must name one of these tags.

#include <cstddef>
#include <string_view>

#include "platform/Text.h"

namespace kva {

// Stage one: system, troubleshooters, browser resets, registry backup and
// the tags that take arguments.
inline constexpr std::u16string_view kFirstStageTags[] = {
    u"<RegisterSystemDLLs>", u"<AutoLogon>", u"<DisableAutoLogon>", u"<PreventShutdown>",
    u"<EnableF8BootMenu>", u"<RestoreBootMenu>", u"<EnableWinRE>", u"<FlushDNS>",
    u"<FixIEHistory>", u"<CleanupRecentList>", u"<CleanupTrayIconCache>", u"<RunMemDiagOnReboot>",
    u"<CancelMemDiag>", u"<AeroEffectsTroubleshooter>", u"<AppCompatibilityTroubleshooter>",
    u"<AudioPlaybackTroubleshooter>", u"<AudioRecordingTroubleshooter>", u"<DeviceTroubleshooter>",
    u"<DirectAccessTroubleshooter>", u"<FileShareTroubleshooter>", u"<HomeGroupTroubleshooter>",
    u"<IEPerformanceTroubleshooter>", u"<IESecurityTroubleshooter>",
    u"<InternetConnectionTroubleshooter>", u"<KeyboardTroubleshooter>",
    u"<MaintenanceTroubleshooter>", u"<NetworkAdapterTroubleshooter>",
    u"<NetworkInboundTroubleshooter>", u"<PerformanceTroubleshooter>", u"<PowerTroubleshooter>",
    u"<PrinterTroubleshooter>", u"<SearchTroubleshooter>", u"<WindowsUpdateTroubleshooter>",
    u"<WindowsStoreAppsTroubleshooter>", u"<WMPSettingsTroubleshooter>",
    u"<WMPDVDPlayingTroubleshooter>", u"<WMPLibraryTroubleshooter>",
    u"<InstallUninstallTroubleshooter>", u"<ShowHideUpdatesTroubleshooter>",
    u"<StartMenutroubleshooter>", u"<WindowsUpdateWebTroubleshooter>", u"<BackupDesktopIcons>",
    u"<RestoreDesktopIcons>", u"<DefragDrive>", u"<UnpinAllStartTiles>", u"<FixChromeBlackWindow>",
    u"<RestartWindowsShell>", u"<ResetWindowsShell>", u"<DismRepairGUI>", u"<SfcScanGUI>",
    u"<CheckDiskGUI>", u"<ResetFileAssociations>", u"<WiFiManager>", u"<CleanupSystemProfile>",
    u"<DismWindowsRepair>", u"<Sleep>", u"<Beep>", u"<FixInstallProblems>", u"<EnableAutoplay>",
    u"<DisableAutoplay>", u"<FixWindowsUpdate>", u"<ResetHostsAndDns>", u"<ResetMSEdge>",
    u"<ResetIEAndInternet>", u"<ResetChrome>", u"<ResetFirefox>", u"<ResetFFPrintSettings>",
    u"<ResetPrintSpool>", u"<ResetCDBurnQueue>", u"<CreateRestorePoint>", u"<EmptyBrowsersCache>",
    u"<DeleteBrowsersCookies>", u"<UnhideDir>", u"<RebuildIconCache>", u"<ResetGroupPolicy>",
    u"<ImunizeSystem>", u"<ImmunizeSystem>", u"<ClearAllBrowsersHistory>", u"<BackupRegistry>",
    u"<RestoreRegistry>", u"<Reboot>", u"<Shutdown>", u"<RebootSafeMode>",
};

// Stage two: repairs, clean-ups and tests.
inline constexpr std::u16string_view kSecondStageTags[] = {
    u"<RunFullDiskCleanup>", u"<AutoDiskCleanup>", u"<UpdateWindows>", u"<RunInstallUninstallFix>",
    u"<FixWinStoreApps>", u"<FixUserProfiles>", u"<KillNonCriticalProcesses>",
    u"<KillNonSystemProcesses>", u"<KillNonTrustedProcesses>", u"<KillNonSignedProcesses>",
    u"<ActivateWinFromBIOS>", u"<RunSfcScan>", u"<RunScfScan>", u"<CleanupWinSxS>",
    u"<StopNonMsServices>", u"<ScheduleChkDskOnReboot>", u"<CancelChkdskOnReboot>",
    u"<ProtectFileExtensions>", u"<UnlockFileExtensions>", u"<FixIEAndWindowsShell>",
    u"<FixBrowserShortcuts>", u"<EnableAdminAccount>", u"<DisableAdminAccount>", u"<EnableUAC>",
    u"<DisableUAC>", u"<FixUserDesktop>", u"<UnhideUserFiles>", u"<FixTaskScheduler>",
    u"<FixWifiLongWait>", u"<FixPcNotShownInNetwork>", u"<CleanupMUICache>", u"<CleanupAppData>",
    u"<EnableMsiInSafeMode>", u"<DisableMsiInSafeMode>", u"<OptimizeBoot>", u"<OptimizeShutdown>",
    u"<ResetWLAN>", u"<ResetNumLockOn>", u"<ResetAllPrintobs>", u"<FixShortcutsUrlsProtocols>",
    u"<FixWMIAndSR>", u"<DisableSystemRestore>", u"<EnableSystemRestore>",
    u"<FixEventSystemService>", u"<FixSubSystemsKey>", u"<FixGroupAccess>", u"<FixIE10History>",
    u"<FixAppsNotResponding>", u"<DeleteAllRestorePoints>", u"<DeleteTempProfiles>",
    u"<ResetSecuritySettings>", u"<ResetUserShellFolders>", u"<UpdateJava>", u"<InstallGP>",
    u"<FreePhysicalMemory>", u"<SetTechPowerSettings>", u"<ResetPowerSettings>",
    u"<DefragAndOptimize>", u"<DefragAllDrives>", u"<FreeStorageSpaceGUI>", u"<CleanAllUsersTemp>",
    u"<EmptyTempFolders>", u"<ClearIEHistory>", u"<ClearEdgeHistory>", u"<ClearChromeHistory>",
    u"<ClearFirefoxHistory>", u"<ClearWaterfoxHistory>", u"<ClearEventLogs>",
    u"<ClearErrorReports>", u"<ClearShellCache>", u"<CleanMSIOrphanFiles>",
    u"<ResetServicesStartTypes>", u"<ResetWindowsStore>", u"<ResetIPWinsockProxy>",
    u"<FixWindowsFirewall>", u"<HardwareTemperatureTest>", u"<DiskSpeedTest>", u"<CameraTest>",
    u"<ClearWUDownloads>", u"<DeleteWindows.old>",
};

// Stage three: reversible settings. The apply tag makes the display text
// true, the undo tag reverses it; the display text names the tweak in its
// result line.
struct TweakTags {
  std::u16string_view apply;
  std::u16string_view undo;
  std::u16string_view displayText;
};

inline constexpr TweakTags kTweakTags[] = {
    {u"<EnableViewHiddenFiles>", u"<DisableViewHiddenFiles>",
     u"Enable view hidden files and folders"},
    {u"<EnableViewSystemFiles>", u"<DisableViewSystemFiles>", u"Enable view system files"},
    {u"<EnableViewFileExtensions>", u"<DisableViewFileExtensions>",
     u"Enable view known file extensions"},
    {u"<DisableExplorerTips>", u"<EnableExplorerTips>", u"Disable file and folder info tips"},
    {u"<DisableNotifications>", u"<EnableNotifications>", u"Disable baloon tip notifications"},
    {u"<DisableAeroPeek>", u"<EnableAeroPeek>", u"Disable desktop preview (aero peek)"},
    {u"<EnableFastTaskbarAppThumbs>", u"<DisableFastTaskbarAppThumbs>",
     u"Enable fast taskbar thumbnails"},
    {u"<DisableTransparencyEffects>", u"<EnableTransparencyEffects>",
     u"Disable transparency effects"},
    {u"<DisableHibernation>", u"<EnableHibernation>", u"Disable hibernation"},
    {u"<DisableHybridShutdown>", u"<EnableHybridShutdown>", u"Disable hybrid shutdown"},
    {u"<EnableAutoEndHungingTasks>", u"<DisableAutoEndHungingTasks>",
     u"Enable auto ending hunging tasks"},
    {u"<EnableQuickMenuShow>", u"<DisableQuickMenuShow>", u"Enable quick menu show"},
    {u"<EnableScreenSaver>", u"<DisableScreenSaver>", u"Enable the screen saver"},
    {u"<EnableRightToLeftMenus>", u"<DisableRightToLeftMenus>",
     u"Enable right-to-left explorer menus"},
    {u"<DisableRequirePassOnWake>", u"<EnableRequirePassOnWake>",
     u"Disable require password on wake up"},
    {u"<DisableWindowsDefender>", u"<EnableWindowsDefender>", u"Disable Windows Defender"},
    {u"<EnableWDPupDetection>", u"<DisableWDPupDetection>",
     u"Enable Windows Defender PUP detection"},
    {u"<DisableOneDrive>", u"<EnableOneDrive>", u"Disable OneDrive"},
    {u"<DisableOfficeSavingToOneDrive>", u"<EnableOfficeSavingToOneDrive>",
     u"Disable Office saving to OneDrive"},
    {u"<DisableWindosUpdateRebootWarnings>", u"<EnableWindosUpdateRebootWarnings>",
     u"Disable post-update reboot warnings"},
    {u"<DisableAppending-Sortcut>", u"<EnableAppending-Sortcut>",
     u"Disable appending '- Shortcut' to new shortcuts"},
    {u"<EnableRecycleBinInThisPC>", u"<DisableRecycleBinInThisPC>",
     u"Enable \"Recycle bin\" in \"This PC\""},
    {u"<EnableControlPanelInThisPC>", u"<DisableControlPanelInThisPC>",
     u"Enable \"Control panel\" in \"This PC\""},
    {u"<EnableThisPcIconInDesktop>", u"<DisableThisPcIconInDesktop>",
     u"Enable \"This PC\" icon in the Desktop"},
    {u"<EnableUsernameIconInDesktop>", u"<DisableUsernameIconInDesktop>",
     u"Enable \"Username\" icon in the Desktop"},
    {u"<EnableNetworkIconInDesktop>", u"<DisableNetworkIconInDesktop>",
     u"Enable \"Network\" icon in the Desktop"},
    {u"<EnableRecycleBinIconInDesktop>", u"<DisableRecycleBinIconInDesktop>",
     u"Enable \"Recycle bin\" icon in the Desktop"},
    {u"<EnableControlPanelIconInDesktop>", u"<DisableControlPanelIconInDesktop>",
     u"Enable \"Control panel\" icon in the Desktop"},
    {u"<EnableOneDriveIconInDesktop>", u"<DisableOneDriveIconInDesktop>",
     u"Enable \"OneDrive\" icon in the Desktop"},
    {u"<EnableNumlockAtLogon>", u"<DisableNumlockAtLogon>",
     u"Enable \"NumLock\" at logon for all users"},
    {u"<EnableOldExplorerRibon>", u"<DisableOldExplorerRibon>",
     u"Enable old Explorer ribon on Windows 11"},
    {u"<EnableOldExplorerMenus>", u"<DisableOldExplorerMenus>",
     u"Enable old Explorer menus on Windows 11"},
    {u"<DisableStoreAppsAutoUpdates>", u"<EnableStoreAppsAutoUpdates>",
     u"Disable Store Apps AutoUpdates"},
    {u"<EnableStoreAppsAccessToAdmins>", u"<DisableStoreAppsAccessToAdmins>",
     u"Enable Store Apps access to admins"},
    {u"<DisableAutoInstallDefaultApps>", u"<EnableAutoInstallDefaultApps>",
     u"Disable auto-installing unwanted apps"},
    {u"<DisableCortana>", u"<EnableCortana>", u"Disable and hide Cortana"},
    {u"<EnableDeferWindowsUpgrades>", u"<DisableDeferWindowsUpgrades>",
     u"Enable defer windows upgrades"},
    {u"<EnableMsiInSafeMode>", u"<DisableMsiInSafeMode>", u"Enable Windows Installer in Safe Mode"},
    {u"<DisableAutoInstallNetworkDevices>", u"<EnableAutoInstallNetworkDevices>",
     u"Disable auto-install network devices"},
    {u"<DisableAutoInstallDeviceDrivers>", u"<EnableAutoInstallDeviceDrivers>",
     u"Disable auto-install device drivers"},
    {u"<DisableDriverUpdatesFromWU>", u"<EnableDriverUpdatesFromWU>",
     u"Disable driver updates from Windows Update"},
    {u"<DisableStartupDelay>", u"<EnableStartupDelay>", u"Disable Windows 10 Startup Delay"},
    {u"<EnableAutoRebootOnBSOD>", u"<DisableAutoRebootOnBSOD>", u"Enable auto reboot on BSOD"},
    {u"<DisableCreateMemDumpOnBSOD>", u"<EnableCreateMemDumpOnBSOD>",
     u"Disable create memory dump on BSOD"},
    {u"<EnableControlPanelIconView>", u"<DisableControlPanelIconView>",
     u"Enable control panel icon view"},
    {u"<DisableWindowsAutoUpdates>", u"<EnableWindowsAutoUpdates>",
     u"Disable Windows automatic updates"},
    {u"<DeactivateWUService>", u"<ReactivateWUService>", u"Deactivate the Windows Update service"},
    {u"<DisableWindowsFirewall>", u"<EnableWindowsFirewall>", u"Disable the Windows Firewall"},
    {u"<DisableTelemetry>", u"<EnableTelemetry>", u"Disable user and application telemetry"},
    {u"<EnableAllFoldersInNavPane>", u"<DisableAllFoldersInNavPane>",
     u"Enable Show All Folders in navigation pane"},
    {u"<DisableWindowsHelloPinSetup>", u"<EnableWindowsHelloPinSetup>",
     u"Disable Windows Hello pin setup"},
    {u"<DisableScrollingInactiveWindows>", u"<EnableScrollingInactiveWindows>",
     u"Disable scrolling inactive windows"},
    {u"<DisableAutoUpgradeToWindows11>", u"<EnableAutoUpgradeToWindows11>",
     u"Disable auto-upgrading to Windows 11"},
};

// Tags that are only another spelling of a tag above, kept so that old
// selections and catalogues still work.
struct TagAlias {
  std::u16string_view alias;
  std::u16string_view tag;
};

inline constexpr TagAlias kTagAliases[] = {
    {u"<ImunizeSystem>", u"<ImmunizeSystem>"},
    {u"<RunScfScan>", u"<RunSfcScan>"},
    {u"<FixIE10History>", u"<FixIEHistory>"},
    {u"<ResetWindowsShell>", u"<RestartWindowsShell>"},
};

// Tags compare case-insensitively and include their angle brackets.
inline bool IsKnownTag(std::u16string_view tag) {
  for (const auto& known : kFirstStageTags) {
    if (EqualsNoCase(known, tag)) return true;
  }
  for (const auto& known : kSecondStageTags) {
    if (EqualsNoCase(known, tag)) return true;
  }
  for (const auto& tweak : kTweakTags) {
    if (EqualsNoCase(tweak.apply, tag) || EqualsNoCase(tweak.undo, tag)) return true;
  }
  return false;
}

// The tag of a tag command: the text up to and including its first ">",
// when the text starts with "<" and that ">" leaves a name of at least four
// characters. Empty for any other command, which goes to the launcher.
inline std::u16string_view TagOfCommand(std::u16string_view command) {
  constexpr std::size_t kMinCloseIndex = 5;  // "<" + four characters
  if (command.empty() || command.front() != u'<') return {};
  const std::size_t close = command.find(u'>');
  if (close == std::u16string_view::npos || close < kMinCloseIndex) return {};
  return command.substr(0, close + 1);
}

}  // namespace kva
