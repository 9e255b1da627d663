# Sourced by the build scripts: sets `launcher` to the CMake arguments that put the compiler cache
# in front of the compiler when the machine has one, so rebuilds in several work trees share it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
fi
