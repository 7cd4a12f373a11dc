# Writes the outlines of Canada's provinces and territories as rings of
# points, for convert.mjs to turn into Map_Canada.dat.
#
# Source: Natural Earth Admin 1 states and provinces, 1:50m, as the Debian
# package r-cran-rnaturalearthdata ships it (object states50; the data are
# public domain, the package CC0). Only the conversion needs R and that
# package; the program reads the converted file.
#
# Output: for each ring a line "ring", then one line "longitude,latitude" a
# point (degrees, longitude east-positive), in the ring's own order.
#
# Usage: Rscript provinces.R [output file, default provinces.txt]

suppressMessages(library(sp))
args <- commandArgs(trailingOnly = TRUE)
out <- if (length(args) >= 1) args[1] else "provinces.txt"

data("states50", package = "rnaturalearthdata")
canada <- states50[states50$admin == "Canada", ]
if (nrow(canada@data) == 0) stop("no Canadian provinces in states50")

lines <- character(0)
for (p in canada@polygons) {
  for (ring in p@Polygons) {
    xy <- ring@coords
    lines <- c(lines, "ring", sprintf("%.6f,%.6f", xy[, 1], xy[, 2]))
  }
}
tmp <- paste0(out, ".tmp")
writeLines(lines, tmp)
file.rename(tmp, out)
cat(sprintf("%s: %d provinces, %d points\n", out, nrow(canada@data), length(lines)))
