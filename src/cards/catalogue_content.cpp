// The tiles of the game: names, texts and the fixed numbers the rules rely on.
#include "cards/catalogue.h"

namespace velloxa {

// Fields in order: name, description, collection, sound, the user's capture text, the
// enemy's capture text, then the attacks up, right, down, left and the rarity level.
const std::array<Tile, 62>& tile_content() {
    // clang-format off
    static const std::array<Tile, 62> kTiles = {{
        // Rarity level 1.
        {"Ditch Newt",  // 1
         "A thumb-sized newt that guards one muddy ditch as if it were a kingdom.  It has never lost the ditch, mostly because nobody else wants it.",
         "Mossmere Hollow", "newt",
         "Your Ditch Newt knights the $T, now a guard on your side.",
         "The enemy's Ditch Newt knights your $T, now a guard for the enemy.",
         3, 2, 1, 1, 1},
        {"Rivet Apprentice",  // 2
         "A clockwork apprentice who tightens every screw twice, just to be sure.  It is still waiting for its first day off.",
         "Clatterhook Foundry", "",
         "Your Rivet Apprentice rewinds the $T, and it ticks for you now.",
         "The enemy's Rivet Apprentice rewinds your $T, and it ticks for the enemy now.",
         1, 3, 2, 1, 1},
        {"Shingle Crab",  // 3
         "A small crab that wears a round pebble instead of a shell, and is very proud of it.",
         "Saltglass Reef", "crab",
         "Your Shingle Crab gives the $T a pebble, and it joins you.",
         "The enemy's Shingle Crab buys your $T with a pebble, and it joins the enemy.",
         1, 1, 3, 2, 1},
        {"Hush Moth",  // 4
         "A grey moth that eats only the noisiest pages in the library.  It has never made a sound in its life.",
         "Hushleaf Library", "",
         "Your Hush Moth shushes the $T, and it quietly turns to you.",
         "The enemy's Hush Moth shushes your $T, and it quietly turns to the enemy.",
         2, 1, 1, 3, 1},
        {"Chorus Toad",  // 5
         "A plump toad that sings all night among the reeds of the marsh.  Nobody has ever asked it to.",
         "Mossmere Hollow", "toad",
         "Your Chorus Toad sings to the $T, and it sings for you now.",
         "The enemy's Chorus Toad sings to your $T, and it sings for the enemy now.",
         3, 1, 1, 2, 1},
        {"Soot Mole",  // 6
         "A mole that tunnels through warm ash and comes up looking like a chimney brush.",
         "Cinderback Mountains", "mole",
         "Your Soot Mole pops up under the $T, and it turns to you.",
         "The enemy's Soot Mole pops up under your $T, and it turns to the enemy.",
         2, 3, 1, 1, 1},
        {"Ember Beetle",  // 7
         "A beetle whose shell glows like a hot coal.  Miners keep them as night lights.",
         "Cinderback Mountains", "beetle",
         "Your Ember Beetle glows at the $T, and it warms to your side.",
         "The enemy's Ember Beetle glows, and your $T warms to the enemy's side.",
         1, 2, 3, 1, 1},
        {"Beacon Slug",  // 8
         "A slow slug that leaves a trail of light behind it.  Cave folk always know where it has been, if never where it is going.",
         "Dimglow Caverns", "slug",
         "Your Beacon Slug coats the $T in goo, and it shines for you.",
         "The enemy's Beacon Slug coats your $T in goo, and it shines for the enemy now.",
         1, 1, 2, 3, 1},
        {"Needle Urchin",  // 9
         "A round urchin with its longest spikes pointing upward.  Step on it once and you will never forget it.",
         "Saltglass Reef", "urchin",
         "Your Needle Urchin bristles, and the $T is pinned to your side.",
         "The enemy's Needle Urchin bristles, and your $T is pinned to the enemy's side.",
         4, 1, 1, 1, 1},
        {"Breeze Finch",  // 10
         "A tiny finch that rides the wind between the floating islands without ever flapping its wings.",
         "Windloom Isles", "finch",
         "Your Breeze Finch whistles, and the $T turns to you with the wind.",
         "The enemy's Breeze Finch whistles, and your $T turns with the wind to the enemy.",
         1, 4, 1, 1, 1},
        {"Mudsnout Runt",  // 11
         "The smallest of a litter of mudsnouts, the round, pig-nosed diggers of the marsh.  It digs straight down whenever it is nervous, which is always.",
         "Mossmere Hollow", "mudsnout",
         "Your Mudsnout Runt trembles, and the kind $T joins you.",
         "The enemy's Mudsnout Runt trembles, and your $T joins the enemy to comfort it.",
         1, 1, 4, 1, 1},
        {"Dune Peddler",  // 12
         "A travelling trader who sells sand to anyone who will listen.  Business is slow in the desert.",
         "Sunbaked Dunes", "",
         "Your Dune Peddler sells the $T a place on your side.",
         "The enemy's Dune Peddler sells your $T a jar of sand, and a place with the enemy.",
         1, 1, 1, 4, 1},
        {"Ribbon Eel",  // 13
         "A long, thin eel that swims only straight up or straight down.  It considers sideways beneath it.",
         "Saltglass Reef", "eel",
         "Your Ribbon Eel ties a bow on the $T, and it is yours.",
         "The enemy's Ribbon Eel ties a bow on your $T, and it is the enemy's.",
         4, 0, 3, 0, 1},
        {"Glider Gecko",  // 14
         "A gecko with flaps of skin for wings.  It can only glide sideways, so it plans its trips very carefully.",
         "Windloom Isles", "gecko",
         "Your Glider Gecko glides past the $T, and it turns to you.",
         "The enemy's Glider Gecko glides past your $T, and it turns to the enemy.",
         0, 4, 0, 3, 1},
        {"Page Phantom",  // 15
         "A pale phantom that drifts up and down the shelves, putting books back in the wrong order.  Like everything in the library, it makes no sound.",
         "Hushleaf Library", "",
         "Your Page Phantom writes your name in the $T, and it is yours.",
         "The enemy's Page Phantom relabels your $T, and it is the enemy's now.",
         3, 0, 4, 0, 1},
        {"Lava Skink",  // 16
         "A quick lizard that sunbathes on cooling lava.  It darts sideways whenever a hiker gets too close.",
         "Cinderback Mountains", "skink",
         "Your Lava Skink basks beside the $T, and it turns to you.",
         "The enemy's Lava Skink basks beside your $T, and it turns to the enemy.",
         0, 3, 0, 4, 1},
        // Rarity level 2.
        {"Gaffer Mudsnout",  // 17
         "A grizzled mudsnout who has wallowed in the same patch of mud for forty years.  Young mudsnouts come to hear its stories, and leave during them.",
         "Mossmere Hollow", "gaffer",
         "Your Gaffer Mudsnout tells the $T a story, and it is yours.",
         "The enemy's Gaffer Mudsnout starts a story, and your $T joins the enemy to hear it.",
         3, 3, 2, 1, 2},
        {"Petal Owl",  // 18
         "An owl that sleeps among the blossoms of the orchard and wakes only when the moon is out.  It always asks who, but never waits for the answer.",
         "Moonpetal Orchard", "owl",
         "Your Petal Owl hoots, and the puzzled $T turns to you.",
         "The enemy's Petal Owl hoots, and your puzzled $T turns to the enemy.",
         1, 3, 3, 2, 2},
        {"Scree Goat",  // 19
         "A mountain goat whose hooves do not mind hot rocks.  It eats whatever it finds, including maps.",
         "Cinderback Mountains", "goat",
         "",
         "",
         2, 1, 3, 3, 2},
        {"Lookout Marmot",  // 20
         "A fat marmot that whistles to warn the mountain whenever smoke is coming.  It is usually wrong.",
         "Cinderback Mountains", "marmot",
         "",
         "",
         3, 2, 1, 3, 2},
        {"Lantern Miner",  // 21
         "A cheerful miner who has worked the caverns so long that she no longer needs her lantern.  She carries it anyway, for company.",
         "Dimglow Caverns", "",
         "Your Lantern Miner lights up the $T, and it is yours.",
         "The enemy's Lantern Miner mistakes your $T for a gem and claims it for the enemy.",
         3, 1, 2, 3, 2},
        {"Willow Heron",  // 22
         "A tall heron that stands so still among the willows that frogs lean against it.",
         "Mossmere Hollow", "heron",
         "",
         "",
         3, 3, 1, 2, 2},
        {"Driftwood Sage",  // 23
         "A wise old man who lives on a driftwood raft in the middle of the marsh.  He says he moved there for the peace and quiet, and then he met the toads.",
         "Mossmere Hollow", "",
         "",
         "",
         2, 3, 3, 1, 2},
        {"Frost Ferret",  // 24
         "A white ferret that slips through snowdrifts like a needle through wool.  It steals mittens, but only the left ones.",
         "Frostwhistle Pass", "ferret",
         "Your Frost Ferret steals a mitten, and the $T joins you.",
         "The enemy's Frost Ferret steals a mitten, and your $T joins the enemy to get it back.",
         1, 2, 3, 3, 2},
        {"Toffee Juggler",  // 25
         "A fairground performer who juggles hot toffee.  The crowd stands well back.",
         "Gingerbell Fair", "",
         "",
         "",
         0, 4, 4, 1, 2},
        {"Magma Tortoise",  // 26
         "A tortoise with a shell of cooled lava.  It has been climbing to the top of the mountain for three hundred years, and it is nearly halfway there.",
         "Cinderback Mountains", "tortoise",
         "",
         "",
         1, 0, 4, 4, 2},
        {"Smoke Lynx",  // 27
         "A grey wild cat of the high slopes that vanishes into the smoke whenever anyone points at it.",
         "Cinderback Mountains", "lynx",
         "",
         "",
         4, 1, 0, 4, 2},
        {"Copper Ferryman",  // 28
         "He poles a flat boat across the marsh for one copper coin.  The return trip costs two.",
         "Mossmere Hollow", "",
         "",
         "",
         4, 4, 1, 0, 2},
        {"Vent Serpent",  // 29
         "A snake that lives inside steam vents and shoots straight up out of them when disturbed.  Hikers learn to step lightly.",
         "Cinderback Mountains", "serpent",
         "",
         "",
         6, 0, 3, 0, 2},
        {"Cliff Ram",  // 30
         "A ram with curled horns of black stone.  It charges sideways along the narrowest ledges and has never once looked down.",
         "Cinderback Mountains", "ram",
         "",
         "",
         0, 6, 0, 3, 2},
        {"Anchor Grouper",  // 31
         "A heavy fish that sinks like a rock and lands on whatever lies below it.  It calls this swimming.",
         "Saltglass Reef", "grouper",
         "Your Anchor Grouper settles on the $T and anchors it to your side.",
         "The enemy's Anchor Grouper settles on your $T and anchors it to the enemy.",
         3, 0, 6, 0, 2},
        {"Lurking Pike",  // 32
         "A long fish with an even longer grudge.  It lurks among the lily pads and bites anything that passes on its left.",
         "Mossmere Hollow", "pike",
         "Your Lurking Pike snaps at the $T, and it turns to you.",
         "The enemy's Lurking Pike lurks by your $T until it joins the enemy.",
         0, 3, 0, 6, 2},
        // Rarity level 3.
        {"Weathered Captain",  // 33
         "A sea captain so old that barnacles grow on his coat.  He has sailed every sea, and he will tell you about each one.",
         "Lanternfish Harbour", "",
         "Your Weathered Captain signs the $T on as your deckhand.",
         "The enemy's Weathered Captain tells your $T sea stories until it signs on with the enemy.",
         4, 3, 2, 2, 3},
        {"Basalt Bear",  // 34
         "A bear whose fur has turned to black stone from sleeping on lava fields.  It snores like a rockslide.",
         "Cinderback Mountains", "bear",
         "Your Basalt Bear gives the $T a stony hug, and it is yours.",
         "The enemy's Basalt Bear sits on your $T, and it is the enemy's pillow now.",
         2, 4, 3, 2, 3},
        {"Comet Hound",  // 35
         "A hound with a glowing tail that chases comets across the night sky.  It caught one once, and it still does not know what to do with it.",
         "Starwell Observatory", "hound",
         "Your Comet Hound barks at the $T until it turns to you.",
         "The enemy's Comet Hound barks at your $T until it turns to the enemy.",
         2, 2, 4, 3, 3},
        {"Telescope Cat",  // 36
         "A cat that naps on the great telescope.  Now and then it knocks a star off the edge of the sky, just to see what happens.",
         "Starwell Observatory", "cat",
         "Your Telescope Cat pats the $T with a paw, and it is yours.",
         "The enemy's Telescope Cat naps on your $T, and it belongs to the enemy now.",
         3, 2, 2, 4, 3},
        {"Swift Falcon",  // 37
         "The fastest bird of the floating islands.  It has never waited for anything in its life, including the wind.",
         "Windloom Isles", "falcon",
         "Your Swift Falcon swoops, and the $T is yours in a blink.",
         "The enemy's Swift Falcon swoops, and your $T is the enemy's in a blink.",
         4, 2, 2, 3, 3},
        {"Hourglass Sentry",  // 38
         "A guardian of glass and sand that counts every grain that trickles through it.  When it runs out of sand, somebody has to turn it over.",
         "Sunbaked Dunes", "",
         "Your Hourglass Sentry counts the $T among your tiles.",
         "The enemy's Hourglass Sentry turns your $T over, and it counts for the enemy now.",
         3, 4, 2, 2, 3},
        {"Mist Manta",  // 39
         "A great ray that swims through clouds instead of water.  Its shadow brings a light drizzle wherever it passes.",
         "Windloom Isles", "manta",
         "Your Mist Manta's shadow falls, and the $T turns to you.",
         "The enemy's Mist Manta drizzles on your $T until it turns to the enemy.",
         2, 3, 4, 2, 3},
        {"Hoarder Octopus",  // 40
         "A clever octopus that collects lost things from shipwrecks.  It has eight arms and never enough shelves.",
         "Saltglass Reef", "octopus",
         "Your Hoarder Octopus labels the $T as one of your treasures.",
         "The enemy's Hoarder Octopus labels your $T as one of the enemy's treasures.",
         2, 2, 3, 4, 3},
        {"Lance Narwhal",  // 41
         "A narwhal with a tusk as long as a ship's mast.  It strikes hardest upward, so it likes to swim beneath its foes.",
         "Saltglass Reef", "narwhal",
         "Your Lance Narwhal taps the $T with its tusk, and it is yours.",
         "The enemy's Lance Narwhal taps your $T with its tusk, and it turns to the enemy.",
         7, 1, 2, 1, 3},
        {"Bramble Stag",  // 42
         "A stag with antlers of living thorns.  It charges hardest to its right, so the marsh folk have learned never to stand there.",
         "Mossmere Hollow", "stag",
         "Your Bramble Stag catches the $T in thorns, and it is yours.",
         "The enemy's Bramble Stag catches your $T in thorns, and it is the enemy's.",
         1, 7, 1, 2, 3},
        {"Boulder Condor",  // 43
         "A huge vulture that drops boulders on anything it does not like.  It does not like much.",
         "Cinderback Mountains", "condor",
         "Your Boulder Condor drops a boulder, and the $T joins you.",
         "The enemy's Boulder Condor holds a boulder over your $T until it joins the enemy.",
         2, 1, 7, 1, 3},
        {"Flint Scorpion",  // 44
         "A scorpion with a tail of sharpened flint that strikes sparks when it stings.  Campers borrow it to light their fires.",
         "Cinderback Mountains", "scorpion",
         "Your Flint Scorpion lights a fire, and the $T warms to you.",
         "The enemy's Flint Scorpion stings your $T with a spark, and it switches to the enemy.",
         1, 2, 1, 7, 3},
        // Rarity level 4.
        {"Mossmere Warden",  // 45
         "The keeper of the marsh, who knows the name of every toad and the depth of every puddle.  Nothing enters Mossmere Hollow without her say.",
         "Mossmere Hollow", "",
         "Your Mossmere Warden welcomes the $T to your side.",
         "The enemy's Mossmere Warden arrests your $T, and it serves the enemy now.",
         5, 4, 3, 2, 4},
        {"Bulrush Archer",  // 46
         "A hunter who shoots arrows made of reeds and never misses.  She once hit an apple from across the marsh, and then ate it.",
         "Mossmere Hollow", "",
         "Your Bulrush Archer pins the $T to your side with a reed arrow.",
         "The enemy's Bulrush Archer sends your $T an invitation, and it joins the enemy.",
         2, 5, 4, 3, 4},
        {"Piston Giant",  // 47
         "A steam-driven giant as tall as a chimney, built to carry the heaviest loads of the foundry.  It stamps down hard enough to bend iron.",
         "Clatterhook Foundry", "",
         "Your Piston Giant hisses steam, and the $T turns to you.",
         "The enemy's Piston Giant hisses steam at your $T, and it works for the enemy now.",
         3, 2, 5, 4, 4},
        {"Caldera Wyvern",  // 48
         "A winged reptile that nests in the craters of the mountains.  Its breath is hot enough to boil a lake, which it does when it is bored.",
         "Cinderback Mountains", "wyvern",
         "Your Caldera Wyvern warms the $T, and it is yours.",
         "The enemy's Caldera Wyvern scorches your $T, and it glows in the enemy's colours.",
         4, 3, 2, 5, 4},
        {"Icebound Oracle",  // 49
         "A seer frozen into the ice of the high pass, who answers one question every winter.  The answer is usually to wear a warmer coat.",
         "Frostwhistle Pass", "",
         "Your Icebound Oracle foresaw the $T joining you, and it does.",
         "The enemy's Icebound Oracle freezes your $T in place, on the enemy's side.",
         5, 2, 3, 4, 4},
        {"Forge Matron",  // 50
         "The master smith of the mountains, who forges armour in the heat of the volcano.  She hammers out a sword before breakfast and a shield before lunch.",
         "Cinderback Mountains", "",
         "Your Forge Matron makes the $T armour in your colours.",
         "The enemy's Forge Matron stamps your $T with the enemy's mark.",
         4, 5, 2, 3, 4},
        {"Quake Mammoth",  // 51
         "A woolly giant whose coat is grey with volcanic ash.  When a herd of them walks by, the mountains shake.",
         "Cinderback Mountains", "mammoth",
         "Your Quake Mammoth stomps, and the shaken $T turns to you.",
         "The enemy's Quake Mammoth stomps, and your shaken $T turns to the enemy.",
         3, 4, 5, 2, 4},
        {"Storm Albatross",  // 52
         "A vast seabird that sleeps on the wing and brings a storm wherever it lands.  Everyone agrees that it should keep flying.",
         "Windloom Isles", "albatross",
         "Your Storm Albatross shelters the $T, and it sides with you.",
         "The enemy's Storm Albatross brings thunder on your $T, and it sides with the enemy.",
         2, 3, 4, 5, 4},
        {"Ancient Cypress",  // 53
         "The oldest tree in the marsh, so tall that its top is lost in the clouds and so deep that its roots reach the bottom of the mire.  It never bothers with anything on either side.",
         "Mossmere Hollow", "",
         "Your Ancient Cypress drops a cone, and the $T is yours.",
         "The enemy's Ancient Cypress roots your $T to the enemy's side.",
         7, 0, 7, 0, 4},
        {"Longjaw Crocodile",  // 54
         "A crocodile so long that its head and its tail live in different parts of the marsh.  It snaps to either side, but never looks up.",
         "Mossmere Hollow", "crocodile",
         "Your Longjaw Crocodile grins, and the $T is yours.",
         "The enemy's Longjaw Crocodile snaps, and your $T turns to the enemy.",
         0, 7, 0, 7, 4},
        {"Obsidian Idol",  // 55
         "A glassy black statue on the highest peak that nobody remembers carving.  It watches the sky and the west, and nothing else.",
         "Cinderback Mountains", "",
         "Your Obsidian Idol stares, and the $T falls under your spell.",
         "The enemy's Obsidian Idol gazes at your $T, and it falls under the enemy's spell.",
         7, 0, 0, 7, 4},
        {"Squall Eagle",  // 56
         "An eagle with lightning in its talons, master of the storm clouds.  It strikes to the right and downward, and always both at once.",
         "Windloom Isles", "eagle",
         "Your Squall Eagle zaps the $T, and the dazed tile is yours.",
         "The enemy's Squall Eagle zaps your $T, and the dazed tile turns to the enemy.",
         0, 7, 7, 0, 4},
        // Rarity level 5.
        {"Thornspire Queen",  // 57
         "The stern ruler of a black castle on a needle-sharp peak, whose courtiers ask permission before they sneeze.  Her word is law, and her laws are very long.",
         "Thornspire Keep", "",
         "Your Thornspire Queen knights the $T, and it serves you now.",
         "The enemy's Thornspire Queen orders your $T to serve the enemy, and it obeys.",
         6, 5, 4, 2, 5},
        {"Tide Sovereign",  // 58
         "The king of the reef, who commands the tides with a sceptre of sea glass.  When he is cross, the sea goes out and does not come back until he apologises.",
         "Saltglass Reef", "",
         "Your Tide Sovereign turns the tide, and the $T is yours.",
         "The enemy's Tide Sovereign turns the tide, and your $T turns with it to the enemy.",
         2, 6, 5, 4, 5},
        {"Nimbus Whale",  // 59
         "A whale the size of an island that swims slowly across the sky.  The floating islands are said to be the barnacles on its back.",
         "Windloom Isles", "whale",
         "Your Nimbus Whale sings, and the $T turns to you.",
         "The enemy's Nimbus Whale sings, and your $T turns to the enemy.",
         4, 2, 6, 5, 5},
        {"Noonday Sphinx",  // 60
         "A golden sphinx that lies in the desert sun and asks every traveller a riddle.  Nobody has ever answered one, because the riddles are all about its lunch.",
         "Sunbaked Dunes", "sphinx",
         "Your Noonday Sphinx riddles the $T, and it joins you for the answer.",
         "The enemy's Noonday Sphinx riddles your $T, and it joins the enemy for lunch.",
         5, 4, 2, 6, 5},
        {"Sunken Titan",  // 61
         "A giant of stone that sleeps at the bottom of the deepest sea, older than the sea itself.  When it turns over in its sleep, the whole world has a very strange tide.",
         "Veilwater Deep", "",
         "Your Sunken Titan murmurs in its sleep, and the $T obeys you.",
         "The enemy's Sunken Titan murmurs to your $T in its sleep, and it obeys the enemy.",
         6, 2, 4, 5, 5},
        {"Great Cinderback",  // 62
         "The vast fire dragon the mountains are named after, whose scales glow like a forge.  Every volcano in the range is one of her chimneys.",
         "Cinderback Mountains", "cinderback",
         "Your Great Cinderback spreads her wings, and the $T kneels to you.",
         "The enemy's Great Cinderback breathes fire, and your $T swears loyalty to the enemy.",
         5, 6, 2, 4, 5},
    }};
    // clang-format on
    return kTiles;
}

// Names that progress files of an earlier version may still hold.
const std::array<FormerName, 2>& former_names() {
    static const std::array<FormerName, 2> kFormer = {{
        {12, "Sand Merchant"},
        {18, "Blossom Owl"},
    }};
    return kFormer;
}

}  // namespace velloxa
