#pragma once
// The printer the print tests use under Wine: Wine's own PostScript driver
// over a small colour PPD (A4, 600 dpi), whose port is a pipe into
// Ghostscript. Every job leaves the PostScript and a PNG of its first page at
// kTestPageDpi in C:\veilo-print, synchronously: when EndDoc returns, the
// files are there.
#include <string>

namespace veilo::testing {

inline constexpr wchar_t kTestPrinterName[] = L"Veilo Test Printer";
inline constexpr int kTestPageDpi = 50;

struct TestPrinter {
  std::wstring pngPath, psPath;  // Windows paths of the last job's page
  std::string pngUnixPath;       // the same PNG for the programs outside Wine
};

// Installs the printer (or finds it installed) and makes it the default one.
// False, with the reason, when the machine cannot have it: not Wine, or no
// Ghostscript.
bool InstallTestPrinter(TestPrinter& printer, std::string& error);

}  // namespace veilo::testing
