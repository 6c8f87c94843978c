# Runs one fuzz target from a fresh working corpus seeded with the committed seeds; any crash,
# leak or sanitizer finding makes the test fail.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK} ${WORK}/artifacts)
execute_process(
    COMMAND ${FUZZER} ${WORK} ${SEEDS} -max_total_time=${SECONDS} -print_final_stats=1
            -artifact_prefix=${WORK}/artifacts/ -close_fd_mask=1
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a problem (exit ${result}); see ${WORK}/artifacts")
endif()
