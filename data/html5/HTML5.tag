DOCTYPE
User0=[<!DOCTYPE html>%CR%<html lang="ja">%CR%%SEL%%CR%</html>%CR%]
charset
User1=[<meta charset="utf-8">%CR%%SEL%]
viewport
User2=[<meta name="viewport" content="width=device-width, initial-scale=1">%CR%%SEL%]
header
User3=[<header>%CR%%SEL%%CR%</header>%CR%]
nav
User4=[<nav>%CR%%SEL%%CR%</nav>%CR%]
main
User5=[<main>%CR%%SEL%%CR%</main>%CR%]
article
User6=[<article>%CR%%SEL%%CR%</article>%CR%]
section
User7=[<section>%CR%%SEL%%CR%</section>%CR%]
aside
User8=[<aside>%CR%%SEL%%CR%</aside>%CR%]
footer
User9=[<footer>%CR%%SEL%%CR%</footer>%CR%]
figure
User10=[<figure>%CR%%SEL%%CR%<figcaption></figcaption>%CR%</figure>%CR%]
picture
User11=[<picture>%CR%<source srcset="%SEL%" media="(min-width: 800px)">%CR%<img src="%SEL%" alt="">%CR%</picture>%CR%]
video
User12=[<video src="%SEL%" controls></video>]
audio
User13=[<audio src="%SEL%" controls></audio>]
details
User14=[<details>%CR%<summary>%SEL%</summary>%CR%%CR%</details>%CR%]
dialog
User15=[<dialog>%CR%%SEL%%CR%</dialog>%CR%]
mark
User16=[<mark>%SEL%</mark>]
time
User17=[<time datetime="%SEL%">%SEL%</time>]
img
User18=[<img src="%SEL%" alt="" loading="lazy" width="" height="">]
