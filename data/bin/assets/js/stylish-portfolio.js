/*
 * Leafrunner page script (third of the three that every page names, the
 * last one the page loads). It gives every link of the page a title that
 * shows where it leads, which PDF viewers and browsers show as a tooltip.
 * The PDF looks the same without it. It never throws.
 */
(function (d) {
    try {
        if (!d || !d.getElementsByTagName) {
            return;
        }
        var links = d.getElementsByTagName("a");
        var i, href;
        for (i = 0; i < links.length; i++) {
            href = links[i].getAttribute("href");
            if (href && !links[i].getAttribute("title")) {
                links[i].setAttribute("title", href);
            }
        }
    } catch (e) {
        /* nothing on the page depends on this file */
    }
})(this.document);
