# The Windows program: icon and version resource, and a folder that runs as
# it is (the program, the Qt and compiler run-time DLLs beside it, Qt's
# plugins and German translations), which the setup and the zip hold.
set(VELTRIX_ICO ${PROJECT_SOURCE_DIR}/resources/icons/org.example.veltrix.ico)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/veltrix.rc.in ${PROJECT_BINARY_DIR}/veltrix.rc @ONLY)
target_sources(veltrix PRIVATE ${PROJECT_BINARY_DIR}/veltrix.rc)
set_target_properties(veltrix PROPERTIES WIN32_EXECUTABLE ON)

install(TARGETS veltrix RUNTIME DESTINATION .)
set(qt_libraries Core Gui Widgets Network)
foreach(library ${qt_libraries})
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The compiler's run-time DLLs, where Debian's mingw-w64 keeps them.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(VELTRIX_WINPTHREAD libwinpthread-1.dll
          PATHS /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${libstdcxx} ${libgcc} ${VELTRIX_WINPTHREAD} DESTINATION .)

# The German standard buttons: Qt's own translation, from Debian's package.
find_file(VELTRIX_QTBASE_DE qtbase_de.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${VELTRIX_QTBASE_DE} DESTINATION translations)
# The same beside the programs in the build tree, for the tests.
file(COPY ${VELTRIX_QTBASE_DE} DESTINATION ${PROJECT_BINARY_DIR}/src/translations)
file(COPY ${VELTRIX_QTBASE_DE} DESTINATION ${PROJECT_BINARY_DIR}/tests/translations)
install(FILES ${PROJECT_SOURCE_DIR}/resources/windows/qt.conf DESTINATION .)
