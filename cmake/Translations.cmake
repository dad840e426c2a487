# The English catalogue: translations/quellin_en.ts is built to a .qm by lrelease
# at every build and compiled into the core library (":/i18n/quellin_en.qm").
# lupdate reads the texts marked in the sources (platform/Tx.h):
#   cmake --build build --target update_translations
# adds new texts to the catalogue as unfinished; the test
# Translations.CatalogueHasEveryTextTranslated fails while one is.
find_program(QUELLIN_LRELEASE lrelease HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
find_program(QUELLIN_LUPDATE lupdate HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)

set(QUELLIN_TS ${CMAKE_SOURCE_DIR}/translations/quellin_en.ts)
set(QUELLIN_QM_DIR ${CMAKE_BINARY_DIR}/i18n)
set(QUELLIN_QM ${QUELLIN_QM_DIR}/quellin_en.qm)
# The aliases that make lupdate read the program's two marks.
set(QUELLIN_LUPDATE_ARGS -tr-function-alias qtTrId+=TX,QT_TRID_NOOP+=TXN
    -locations none -no-ui-lines -no-obsolete -silent)

add_custom_command(OUTPUT ${QUELLIN_QM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUELLIN_QM_DIR}
  COMMAND ${QUELLIN_LRELEASE} -idbased -silent ${QUELLIN_TS} -qm ${QUELLIN_QM}
  DEPENDS ${QUELLIN_TS}
  COMMENT "Building the English catalogue"
  VERBATIM)
file(WRITE ${QUELLIN_QM_DIR}/translations.qrc.in
  "<RCC><qresource prefix=\"/i18n\"><file>quellin_en.qm</file></qresource></RCC>\n")
configure_file(${QUELLIN_QM_DIR}/translations.qrc.in ${QUELLIN_QM_DIR}/translations.qrc COPYONLY)
qt_add_resources(QUELLIN_QM_RESOURCE ${QUELLIN_QM_DIR}/translations.qrc)
set_source_files_properties(${QUELLIN_QM_RESOURCE} PROPERTIES SKIP_AUTOGEN ON)
target_sources(quellin_core PRIVATE ${QUELLIN_QM_RESOURCE})

# lupdate warns of every id-based text without a source of its own: the id is
# the source here, so its warnings are left out. fix_ts.py mends what lupdate
# writes unescaped.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(update_translations
  COMMAND ${QUELLIN_LUPDATE} ${QUELLIN_LUPDATE_ARGS} ${CMAKE_SOURCE_DIR}/src -ts ${QUELLIN_TS}
          2> ${CMAKE_BINARY_DIR}/lupdate-warnings.txt
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/translations/fix_ts.py ${QUELLIN_TS}
  COMMENT "Adding the sources' new texts to the English catalogue"
  VERBATIM)
