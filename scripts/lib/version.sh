# Shared by scripts/package and scripts/test: what the version resource of a
# built Vantrel.exe says, read back from the file itself, the one place that
# holds the product's version once it is built.

# Usage: resource_text EXE NAME. A text of EXE's version resource
# (ProductVersion, CompanyName, ...); empty when it has none.
resource_text() {
    x86_64-w64-mingw32-windres -i "$1" -O rc |
        sed -n "s/^ *VALUE \"$2\", \"\\(.*\\)\"\$/\\1/p" | head -n 1
}

# Usage: product_version EXE. The product version as MAJOR.MINOR.PATCH (the
# resource says MAJOR.MINOR.PATCH.0); empty when it says anything else.
product_version() {
    resource_text "$1" ProductVersion | sed -n 's/^\([0-9]*\.[0-9]*\.[0-9]*\)\.0$/\1/p'
}

# Usage: next_version MAJOR.MINOR.PATCH. The version one patch later.
next_version() {
    local major minor patch
    IFS=. read -r major minor patch <<<"$1"
    echo "$major.$minor.$((patch + 1))"
}
