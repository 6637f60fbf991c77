# The print benchmark runs the command-line tool in a child process to read its peak memory.
add_dependencies(quillet-bench-print quillet-cli)
target_compile_definitions(quillet-bench-print PRIVATE QUILLET_CLI="$<TARGET_FILE:quillet-cli>")
