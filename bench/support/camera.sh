# Camera-like pictures for the benchmarks, sourced by their run scripts. Needs $convert (see
# find_convert) and writes into $data.

# ImageMagick's own convert; another program of that name may come first in PATH. Sets
# $convert, empty when there is none.
find_convert() {
    convert=""
    local candidate
    for candidate in convert-im6.q16 /usr/bin/convert convert; do
        if command -v "$candidate" >/dev/null && "$candidate" -version 2>/dev/null | grep -q ImageMagick; then
            convert=$(command -v "$candidate")
            return
        fi
    done
}

# Photographic JPEGs at quality 92 with 2x2 chroma subsampling, as cameras write them. The
# seed (42 unless given) makes them the same on every machine and run.
#   camera <file name> <width>x<height> [seed]
camera() {
    local name=$1 size=$2 seed=${3:-42}
    [ -f "$data/$name" ] && return
    echo "generating $name ($size)..."
    "$convert" -seed "$seed" -size "$size" plasma:fractal -attenuate 0.3 +noise Gaussian \
        -sampling-factor 2x2 -quality 92 "$data/$name"
}
