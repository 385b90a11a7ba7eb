# Run by `cmake --install` (and CPack): writes the recording service's unit
# with ExecStart naming orvel-cli under the prefix of this install, then
# installs it into PREFIX/lib/systemd/system. Set before: ORVEL_UNIT_IN,
# ORVEL_UNIT_OUT, ORVEL_UNIT_BINDIR.
file(READ "${ORVEL_UNIT_IN}" text)
string(REPLACE "@BINDIR@" "${CMAKE_INSTALL_PREFIX}/${ORVEL_UNIT_BINDIR}" text "${text}")
file(WRITE "${ORVEL_UNIT_OUT}" "${text}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/system" TYPE FILE FILES "${ORVEL_UNIT_OUT}"
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
