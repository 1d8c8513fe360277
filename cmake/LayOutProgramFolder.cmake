# Called at build time with SOURCE_DB and PROGRAM_DIR.
file(MAKE_DIRECTORY ${PROGRAM_DIR}/DBKORVAT ${PROGRAM_DIR}/Back)
if(NOT EXISTS ${PROGRAM_DIR}/DBKORVAT/DBKorvat.mdb)
    file(COPY_FILE ${SOURCE_DB} ${PROGRAM_DIR}/DBKORVAT/DBKorvat.mdb)
    message(STATUS "Delivered database copied to ${PROGRAM_DIR}/DBKORVAT")
endif()
