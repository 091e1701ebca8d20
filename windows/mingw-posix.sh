# Debian's MinGW-w64 compilers come in two thread models; only the POSIX one
# has std::thread. A private directory of links puts the -posix compilers first
# under their plain names, leaving the system's alternatives untouched.
mingw_posix_path() {  # mingw_posix_path <cache directory>
    local bin=$1/mingw-posix-bin tool
    mkdir -p "$bin"
    for tool in gcc g++ cpp; do
        ln -sfn "/usr/bin/x86_64-w64-mingw32-$tool-posix" "$bin/x86_64-w64-mingw32-$tool"
    done
    export PATH=$bin:$PATH
}
