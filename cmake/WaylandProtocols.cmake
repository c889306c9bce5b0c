# Client code for a Wayland protocol, generated at build time from its XML (Debian's
# wayland-protocols, or a file of ours) and compiled into the target:
#   q7_wayland_protocol(target path/to/name.xml)  gives "name-client-protocol.h".
pkg_get_variable(Q7_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(Q7_WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT Q7_WAYLAND_PROTOCOLS_DIR OR NOT Q7_WAYLAND_SCANNER)
    message(FATAL_ERROR "wayland-protocols and wayland-scanner are needed (./dev installs them)")
endif()
function(q7_wayland_protocol target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/wayland)
    add_custom_command(
        OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
        COMMAND ${Q7_WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client-protocol.h
        COMMAND ${Q7_WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
        DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
    target_include_directories(${target} PRIVATE ${out})
endfunction()
