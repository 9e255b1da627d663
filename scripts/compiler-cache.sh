# Sourced by the build scripts: sets `launcher` to the CMake arguments that put the compiler cache
# in front of the compiler when the machine has one, so rebuilds in several work trees share it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
    # Debug info then names the folder that first built an object; a hit in another work tree
    # matters more than that path.
    export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
