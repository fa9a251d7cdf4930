#include "test_printer_win.h"

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace veilo::testing {

namespace {

constexpr wchar_t kFolder[] = L"C:\\veilo-print";
constexpr wchar_t kPortsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// A4 with Wine's usual 18-point printable border, 600 dpi, in colour: a
// printable area of 4658 x 6716 pixels, 197 mm wide (23 pixels per millimetre).
constexpr char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"VEILOTST.PPD\"\n"
    "*Manufacturer: \"Veilo\"\n"
    "*Product: \"(Veilo test printer)\"\n"
    "*ModelName: \"Veilo test printer\"\n"
    "*NickName: \"Veilo test printer\"\n"
    "*ShortNickName: \"Veilo test printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n"
    "*LandscapeOrientation: Plus90\n"
    "*OpenUI *PageSize: PickOne\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*OpenUI *Resolution: PickOne\n"
    "*DefaultResolution: 600dpi\n"
    "*Resolution 600dpi/600 DPI: \"<</HWResolution[600 600]>>setpagedevice\"\n"
    "*CloseUI: *Resolution\n";

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                      nullptr);
  return out;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

// Wine's own call from a Windows path to the Linux one; empty outside Wine.
std::string UnixPath(const std::wstring& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  char* path = toUnix(windowsPath.c_str());
  if (!path) return {};
  std::string out(path);
  HeapFree(GetProcessHeap(), 0, path);
  return out;
}

bool WriteWholeFile(const std::wstring& path, const char* bytes, DWORD size) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
  CloseHandle(file);
  return ok;
}

std::wstring InstalledPort() {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(kTestPrinterName), &printer, nullptr)) return {};
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  std::wstring port;
  if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    if (info->pPortName) port = info->pPortName;
  }
  ClosePrinter(printer);
  return port;
}

void DeleteInstalledPrinter() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<wchar_t*>(kTestPrinterName), &printer, &access)) return;
  DeletePrinter(printer);
  ClosePrinter(printer);
}

bool RegisterPort(const std::wstring& port) {
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_LOCAL_MACHINE, kPortsKey, &key) != ERROR_SUCCESS) return false;
  const wchar_t empty[] = L"";
  const bool ok = RegSetValueExW(key, port.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(empty),
                                 sizeof empty) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace

bool InstallTestPrinter(TestPrinter& printer, std::string& error) {
  const std::string folder = UnixPath(kFolder);
  if (folder.empty()) {
    error = "not running under Wine: the test printer is Wine's PostScript driver";
    return false;
  }
  if (GetFileAttributesW(L"Z:\\usr\\bin\\gs") == INVALID_FILE_ATTRIBUTES) {
    error = "Ghostscript (/usr/bin/gs) is not installed: the test printer renders its pages with it";
    return false;
  }
  CreateDirectoryW(kFolder, nullptr);
  printer.pngPath = std::wstring(kFolder) + L"\\page.png";
  printer.psPath = std::wstring(kFolder) + L"\\page.ps";
  printer.pngUnixPath = folder + "/page.png";
  // The spooler runs the port's command with /bin/sh, the job's PostScript on its input.
  const std::wstring port = Widen("|tee '" + folder + "/page.ps' | gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r" +
                                  std::to_string(kTestPageDpi) + " -sOutputFile='" + folder + "/page.png' -");
  const auto makeDefault = [&error] {
    if (SetDefaultPrinterW(kTestPrinterName)) return true;
    error = "SetDefaultPrinter failed (" + std::to_string(GetLastError()) + ")";
    return false;
  };
  if (InstalledPort() == port) return makeDefault();
  DeleteInstalledPrinter();

  const std::wstring ppd = std::wstring(kFolder) + L"\\veilo-test.ppd";
  if (!WriteWholeFile(ppd, kPpd, sizeof kPpd - 1)) {
    error = "could not write " + Narrow(ppd);
    return false;
  }
  if (!RegisterPort(port)) {
    error = "could not register the printer's port";
    return false;
  }
  std::wstring driverFile = L"wineps.drv", name = kTestPrinterName, ppdFile = ppd, raw = L"RAW";
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = name.data();
  driver.pDriverPath = driverFile.data();
  driver.pDataFile = ppdFile.data();
  driver.pConfigFile = driverFile.data();
  driver.pDefaultDataType = raw.data();
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    error = "AddPrinterDriverEx failed (" + std::to_string(GetLastError()) + ")";
    return false;
  }
  std::wstring portName = port, processor = L"winprint", empty;
  PRINTER_INFO_2W info{};
  info.pPrinterName = name.data();
  info.pPortName = portName.data();
  info.pDriverName = name.data();
  // The spooler's own processor passes the driver's PostScript through as it is.
  info.pPrintProcessor = processor.data();
  info.pDatatype = raw.data();
  info.pParameters = empty.data();
  info.pShareName = empty.data();
  info.pSepFile = empty.data();
  info.pComment = empty.data();
  info.pLocation = empty.data();
  const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!added) {
    error = "AddPrinter failed (" + std::to_string(GetLastError()) + ")";
    return false;
  }
  ClosePrinter(added);
  return makeDefault();
}

}  // namespace veilo::testing
