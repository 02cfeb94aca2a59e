# Runs torrent_dump --json on fixtures and a missing path under TZ=UTC and compares its output
# with data/torrent_dump_expected.txt (checked by hand against transmission-show's listing).
#   cmake -DDUMP=<torrent_dump> -DDATA=<tests/torrent/data> -P check_dump.cmake
execute_process(
  COMMAND ${DUMP} --json
    ${DATA}/chinese_names.torrent ${DATA}/multi_nested.torrent ${DATA}/sparse_3g_multi.torrent
    ${DATA}/web_seeds.torrent /nonexistent/x.torrent
  OUTPUT_VARIABLE actual
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "torrent_dump exited with ${result}")
endif()
file(READ ${DATA}/torrent_dump_expected.txt expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "torrent_dump printed:\n${actual}\nexpected:\n${expected}")
endif()
