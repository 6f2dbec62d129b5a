# Cross-building for 64-bit Windows with MinGW-w64 (POSIX threads, for std::thread) against the
# Windows build prefix named by ORVELL_WINDOWS_SDK: Qt, ICU, libzip, libxml2, SQLite,
# QCustomPlot, GoogleTest and Google Benchmark built for Windows. The host's Qt of the same
# version runs moc, rcc and uic.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(DEFINED ENV{ORVELL_WINDOWS_SDK})
    set(ORVELL_WINDOWS_SDK "$ENV{ORVELL_WINDOWS_SDK}" CACHE PATH "The Windows build prefix")
else()
    set(ORVELL_WINDOWS_SDK /opt/orvell-windows-sdk CACHE PATH "The Windows build prefix")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ORVELL_WINDOWS_SDK})
set(CMAKE_PREFIX_PATH ${ORVELL_WINDOWS_SDK})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the prefix's own .pc files, wherever the prefix was unpacked.
set(ENV{PKG_CONFIG_LIBDIR} "${ORVELL_WINDOWS_SDK}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --define-prefix)
set(QT_HOST_PATH /usr)
