// The tiles of the game: names, texts and the fixed numbers the rules rely on.
#include "cards/catalogue.h"

namespace velloxa {

// Fields in order: name, description, collection, sound, the user's capture text, the
// enemy's capture text, then the attacks up, right, down, left and the rarity level.
const std::array<TileContent, 62>& tile_content() {
    // clang-format off
    static const std::array<TileContent, 62> kTiles = {{
        // Rarity level 1.
        {"Ditch Newt",  // 1
         "A thumb-sized newt that guards one muddy ditch as if it were a kingdom.  It has never lost the ditch, mostly because nobody else wants it.",
         "Mossmere Hollow", "newt",
         "Your Ditch Newt splashes puddle water all over the $T, which sulks off to dry.",
         "The enemy's Ditch Newt splashes your $T with muddy water until it gives up.",
         3, 2, 1, 1, 1},
        {"Rivet Apprentice",  // 2
         "A clockwork apprentice who tightens every screw twice, just to be sure.  It is still waiting for its first day off.",
         "Clatterhook Foundry", "",
         "Your Rivet Apprentice tightens the screws of the $T so firmly that the $T cannot move at all.",
         "The enemy's Rivet Apprentice turns the key in the back of your $T, and it marches straight off the board.",
         1, 3, 2, 1, 1},
        {"Shingle Crab",  // 3
         "A small crab that wears a round pebble instead of a shell, and is very proud of it.",
         "Saltglass Reef", "crab",
         "Your Shingle Crab pinches the $T on the toe and scuttles into its spot.",
         "The enemy's Shingle Crab pinches your $T until it lets go of the spot.",
         1, 1, 3, 2, 1},
        {"Hush Moth",  // 4
         "A grey moth that eats only the noisiest pages in the library.  It has never made a sound in its life.",
         "Hushleaf Library", "",
         "Your Hush Moth glares at the $T for talking in the library, and the $T leaves in shame.",
         "The enemy's Hush Moth shushes your $T so sternly that it tiptoes off the board.",
         2, 1, 1, 3, 1},
        {"Chorus Toad",  // 5
         "A plump toad that sings all night among the reeds of the marsh.  Nobody has ever asked it to.",
         "Mossmere Hollow", "toad",
         "Your Chorus Toad sings its loudest song at the $T, which flees with its ears covered.",
         "The enemy's Chorus Toad croaks right into the ear of your $T, and it hops away in a daze.",
         3, 1, 1, 2, 1},
        {"Soot Mole",  // 6
         "A mole that tunnels through warm ash and comes up looking like a chimney brush.",
         "Cinderback Mountains", "mole",
         "Your Soot Mole pops up right beneath the $T and covers it in soot.",
         "The enemy's Soot Mole tunnels under your $T and leaves it sneezing in a cloud of ash.",
         2, 3, 1, 1, 1},
        {"Ember Beetle",  // 7
         "A beetle whose shell glows like a hot coal.  Miners keep them as night lights.",
         "Cinderback Mountains", "beetle",
         "Your Ember Beetle warms the feet of the $T until it hops off the spot.",
         "The enemy's Ember Beetle lands on your $T and gives it a very hot foot.",
         1, 2, 3, 1, 1},
        {"Beacon Slug",  // 8
         "A slow slug that leaves a trail of light behind it.  Cave folk always know where it has been, if never where it is going.",
         "Dimglow Caverns", "slug",
         "Your Beacon Slug covers the $T in glowing goo, and now everyone can see the $T coming.",
         "The enemy's Beacon Slug crawls over your $T and leaves it glowing and sticky.",
         1, 1, 2, 3, 1},
        {"Needle Urchin",  // 9
         "A round urchin with every one of its spikes pointing upward.  Step on it once and you will never forget it.",
         "Saltglass Reef", "urchin",
         "Your Needle Urchin waits for the $T to sit down, and the $T regrets it at once.",
         "The enemy's Needle Urchin bristles, and your $T sits on it by mistake.",
         4, 1, 1, 1, 1},
        {"Breeze Finch",  // 10
         "A tiny finch that rides the wind between the floating islands without ever flapping its wings.",
         "Windloom Isles", "finch",
         "Your Breeze Finch whistles up a gust that blows the $T right off its island.",
         "The enemy's Breeze Finch whistles up a gust that carries your $T off into the clouds.",
         1, 4, 1, 1, 1},
        {"Mudsnout Runt",  // 11
         "The smallest of a litter of mudsnouts, the round, pig-nosed diggers of the marsh.  It digs straight down whenever it is nervous, which is always.",
         "Mossmere Hollow", "mudsnout",
         "Your Mudsnout Runt digs a hole under the $T, and the $T falls right in.",
         "The enemy's Mudsnout Runt digs under your $T until it sinks into the mud.",
         1, 1, 4, 1, 1},
        {"Dune Peddler",  // 12
         "A travelling trader who sells sand to anyone who will listen.  Business is slow in the desert.",
         "Sunbaked Dunes", "",
         "Your Dune Peddler sells the $T a bag of sand, and the $T is still trying to get a refund.",
         "The enemy's Dune Peddler talks your $T into trading its spot for a jar of sand.",
         1, 1, 1, 4, 1},
        {"Ribbon Eel",  // 13
         "A long, thin eel that swims only straight up or straight down.  It considers sideways beneath it.",
         "Saltglass Reef", "eel",
         "Your Ribbon Eel wraps itself around the $T like a bow on a birthday present.",
         "The enemy's Ribbon Eel ties your $T up in a neat little bow.",
         4, 0, 3, 0, 1},
        {"Glider Gecko",  // 14
         "A gecko with flaps of skin for wings.  It can only glide sideways, so it plans its trips very carefully.",
         "Windloom Isles", "gecko",
         "Your Glider Gecko sails in from the side and knocks the $T flat.",
         "The enemy's Glider Gecko swoops in sideways and bowls over your $T.",
         0, 4, 0, 3, 1},
        {"Page Phantom",  // 15
         "A pale phantom that drifts up and down the shelves, putting books back in the wrong order.  Like everything in the library, it makes no sound.",
         "Hushleaf Library", "",
         "Your Page Phantom files the $T under the wrong letter, and nobody will ever find the $T again.",
         "The enemy's Page Phantom files your $T on the highest shelf, where no one will ever look for it.",
         3, 0, 4, 0, 1},
        {"Lava Skink",  // 16
         "A quick lizard that sunbathes on cooling lava.  It darts sideways whenever a hiker gets too close.",
         "Cinderback Mountains", "skink",
         "Your Lava Skink darts past the $T and singes the tip of its tail.",
         "The enemy's Lava Skink scurries across your $T and leaves scorched footprints on it.",
         0, 3, 0, 4, 1},
        // Rarity level 2.
        {"Gaffer Mudsnout",  // 17
         "A grizzled mudsnout who has wallowed in the same patch of mud for forty years.  Young mudsnouts come to hear its stories, and leave during them.",
         "Mossmere Hollow", "mudsnout",
         "Your Gaffer Mudsnout tells the $T a very long story, and the $T falls asleep in the mud.",
         "The enemy's Gaffer Mudsnout rolls over onto your $T and refuses to get up.",
         3, 3, 2, 1, 2},
        {"Petal Owl",  // 18
         "An owl that sleeps among the blossoms of the orchard and wakes only when the moon is out.  It always asks who, but never waits for the answer.",
         "Moonpetal Orchard", "owl",
         "Your Petal Owl hoots a question at the $T, and the $T is far too puzzled to answer.",
         "The enemy's Petal Owl swoops down and carries your $T off to its nest of blossoms.",
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
         "Your Lantern Miner shines her lantern into the eyes of the $T, and it stumbles off blinking.",
         "The enemy's Lantern Miner mistakes your $T for a rare gemstone and carts it away.",
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
         "Your Frost Ferret darts up the sleeve of the $T and steals its left mitten.",
         "The enemy's Frost Ferret nips at the heels of your $T and chases it into a snowdrift.",
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
         "Your Anchor Grouper sinks straight down onto the $T and presses it flat into the sand.",
         "The enemy's Anchor Grouper drops onto your $T like a ship's anchor.",
         3, 0, 6, 0, 2},
        {"Lurking Pike",  // 32
         "A long fish with an even longer grudge.  It lurks among the lily pads and bites anything that passes on its left.",
         "Mossmere Hollow", "pike",
         "Your Lurking Pike lunges out of the water and snaps the $T right off its lily pad.",
         "The enemy's Lurking Pike bursts out of the reeds and drags your $T under.",
         0, 3, 0, 6, 2},
        // Rarity level 3.
        {"Weathered Captain",  // 33
         "A sea captain so old that barnacles grow on his coat.  He has sailed every sea, and he will tell you about each one.",
         "Lanternfish Harbor", "",
         "Your Weathered Captain signs the $T onto his crew, and the $T is scrubbing the deck by nightfall.",
         "The enemy's Weathered Captain makes your $T walk the plank, then tells it a sea story on the way down.",
         4, 3, 2, 2, 3},
        {"Basalt Bear",  // 34
         "A bear whose fur has turned to black stone from sleeping on lava fields.  It snores like a rockslide.",
         "Cinderback Mountains", "bear",
         "Your Basalt Bear gives the $T a stony hug, and the $T cannot wriggle free.",
         "The enemy's Basalt Bear sits down on your $T and goes back to sleep.",
         2, 4, 3, 2, 3},
        {"Comet Hound",  // 35
         "A hound with a glowing tail that chases comets across the night sky.  It caught one once, and it still does not know what to do with it.",
         "Starwell Observatory", "hound",
         "Your Comet Hound fetches the $T and drops it, slightly chewed, at your feet.",
         "The enemy's Comet Hound chases your $T clean out of the sky.",
         2, 2, 4, 3, 3},
        {"Telescope Cat",  // 36
         "A cat that naps on the great telescope.  Now and then it knocks a star off the edge of the sky, just to see what happens.",
         "Starwell Observatory", "cat",
         "Your Telescope Cat pats the $T to the edge of the board and then, without the least regret, right off it.",
         "The enemy's Telescope Cat knocks your $T off the edge of the sky, just to see what happens.",
         3, 2, 2, 4, 3},
        {"Swift Falcon",  // 37
         "The fastest bird of the floating islands.  It has never waited for anything in its life, including the wind.",
         "Windloom Isles", "falcon",
         "Your Swift Falcon dives out of the clouds and snatches the $T before it can blink.",
         "The enemy's Swift Falcon swoops out of the sun and carries off your $T.",
         4, 2, 2, 3, 3},
        {"Hourglass Sentry",  // 38
         "A guardian of glass and sand that counts every grain that trickles through it.  When it runs out of sand, somebody has to turn it over.",
         "Sunbaked Dunes", "",
         "Your Hourglass Sentry pours sand over the $T until only the top of the $T can be seen.",
         "The enemy's Hourglass Sentry buries your $T up to its neck in sand.",
         3, 4, 2, 2, 3},
        {"Mist Manta",  // 39
         "A great ray that swims through clouds instead of water.  Its shadow brings a light drizzle wherever it passes.",
         "Windloom Isles", "manta",
         "Your Mist Manta glides over the $T and leaves it soaked to the bone.",
         "The enemy's Mist Manta drifts over your $T and rains on it until it gives up.",
         2, 3, 4, 2, 3},
        {"Hoarder Octopus",  // 40
         "A clever octopus that collects lost things from shipwrecks.  It has eight arms and never enough shelves.",
         "Saltglass Reef", "octopus",
         "Your Hoarder Octopus adds the $T to its collection of lost things.",
         "The enemy's Hoarder Octopus wraps all eight arms around your $T and takes it home.",
         2, 2, 3, 4, 3},
        {"Lance Narwhal",  // 41
         "A narwhal with a tusk as long as a ship's mast.  It can only strike upward, so it likes to swim beneath its foes.",
         "Saltglass Reef", "narwhal",
         "Your Lance Narwhal rises from the deep and pokes the $T right out of the water.",
         "The enemy's Lance Narwhal surfaces beneath your $T and tosses it into the air.",
         7, 1, 2, 1, 3},
        {"Bramble Stag",  // 42
         "A stag with antlers of living thorns.  It only ever charges to its right, so the marsh folk have learned to stand on its left.",
         "Mossmere Hollow", "stag",
         "Your Bramble Stag lowers its thorny antlers and charges the $T straight into a bush.",
         "The enemy's Bramble Stag charges your $T and leaves it tangled in thorns.",
         1, 7, 1, 2, 3},
        {"Boulder Condor",  // 43
         "A huge vulture that drops boulders on anything it does not like.  It does not like much.",
         "Cinderback Mountains", "condor",
         "Your Boulder Condor drops a boulder on the $T from a great height.",
         "The enemy's Boulder Condor lets go of a boulder right above your $T.",
         2, 1, 7, 1, 3},
        {"Flint Scorpion",  // 44
         "A scorpion with a tail of sharpened flint that strikes sparks when it stings.  Campers borrow it to light their fires.",
         "Cinderback Mountains", "scorpion",
         "Your Flint Scorpion strikes the $T with its tail, and a shower of sparks sends the $T running.",
         "The enemy's Flint Scorpion stings your $T in a shower of sparks.",
         1, 2, 1, 7, 3},
        // Rarity level 4.
        {"Mossmere Warden",  // 45
         "The keeper of the marsh, who knows the name of every toad and the depth of every puddle.  Nothing enters Mossmere Hollow without her say.",
         "Mossmere Hollow", "",
         "Your Mossmere Warden escorts the $T out of the hollow and locks the gate behind it.",
         "The enemy's Mossmere Warden arrests your $T for trespassing in the marsh.",
         5, 4, 3, 2, 4},
        {"Bulrush Archer",  // 46
         "A hunter who shoots arrows made of reeds and never misses.  She once hit an apple from across the marsh, and then ate it.",
         "Mossmere Hollow", "",
         "Your Bulrush Archer pins the $T to a tree with a single reed arrow.",
         "The enemy's Bulrush Archer shoots a reed arrow that pins your $T to the board.",
         2, 5, 4, 3, 4},
        {"Piston Giant",  // 47
         "A steam-driven giant as tall as a chimney, built to carry the heaviest loads of the foundry.  It stamps down hard enough to bend iron.",
         "Clatterhook Foundry", "",
         "Your Piston Giant stamps down on the $T and presses it into a neat metal sheet.",
         "The enemy's Piston Giant stamps on your $T with a mighty hiss of steam.",
         3, 2, 5, 4, 4},
        {"Caldera Wyvern",  // 48
         "A winged reptile that nests in the craters of the mountains.  Its breath is hot enough to boil a lake, which it does when it is bored.",
         "Cinderback Mountains", "wyvern",
         "Your Caldera Wyvern breathes a blast of fire, and the $T is toasted on both sides.",
         "The enemy's Caldera Wyvern swoops down and scorches your $T to a crisp.",
         4, 3, 2, 5, 4},
        {"Icebound Oracle",  // 49
         "A seer frozen into the ice of the high pass, who answers one question every winter.  The answer is usually to wear a warmer coat.",
         "Frostwhistle Pass", "",
         "Your Icebound Oracle foresees the defeat of the $T, and then makes sure of it.",
         "The enemy's Icebound Oracle predicts that your $T will freeze solid, and it does.",
         5, 2, 3, 4, 4},
        {"Forge Matron",  // 50
         "The master smith of the mountains, who forges armor in the heat of the volcano.  She hammers out a sword before breakfast and a shield before lunch.",
         "Cinderback Mountains", "",
         "Your Forge Matron hammers the $T flat and hangs what is left of the $T on her workshop wall.",
         "The enemy's Forge Matron hammers your $T into a horseshoe.",
         4, 5, 2, 3, 4},
        {"Quake Mammoth",  // 51
         "A woolly giant whose coat is grey with volcanic ash.  When a herd of them walks by, the mountains shake.",
         "Cinderback Mountains", "mammoth",
         "Your Quake Mammoth stomps on the $T, then shakes the ash from its coat over whatever is left.",
         "The enemy's Quake Mammoth tramples your $T beneath its enormous feet.",
         3, 4, 5, 2, 4},
        {"Storm Albatross",  // 52
         "A vast seabird that sleeps on the wing and brings a storm wherever it lands.  Everyone agrees that it should keep flying.",
         "Windloom Isles", "albatross",
         "Your Storm Albatross lands beside the $T, and the storm that follows blows the $T away.",
         "The enemy's Storm Albatross brings a thunderstorm down on your $T.",
         2, 3, 4, 5, 4},
        {"Ancient Cypress",  // 53
         "The oldest tree in the marsh, so tall that its top is lost in the clouds and so deep that its roots reach the bottom of the mire.  It never bothers with anything on either side.",
         "Mossmere Hollow", "",
         "Your Ancient Cypress drops a cone the size of a pumpkin on the $T from a dizzying height.",
         "The enemy's Ancient Cypress sheds a whole autumn of needles on your $T and buries it.",
         7, 0, 7, 0, 4},
        {"Longjaw Crocodile",  // 54
         "A crocodile so long that its head and its tail live in different parts of the marsh.  It snaps to either side, but never looks up.",
         "Mossmere Hollow", "crocodile",
         "Your Longjaw Crocodile opens its jaws wide, and the $T is never seen again.",
         "The enemy's Longjaw Crocodile swings its long jaws sideways and snaps up your $T.",
         0, 7, 0, 7, 4},
        {"Obsidian Idol",  // 55
         "A glassy black statue on the highest peak that nobody remembers carving.  It watches the sky and the west, and nothing else.",
         "Cinderback Mountains", "",
         "Your Obsidian Idol stares at the $T until the $T turns to glass.",
         "The enemy's Obsidian Idol fixes its glassy gaze on your $T and turns it to stone.",
         7, 0, 0, 7, 4},
        {"Squall Eagle",  // 56
         "An eagle with lightning in its talons, master of the storm clouds.  It strikes to the right and downward, and always both at once.",
         "Windloom Isles", "eagle",
         "Your Squall Eagle strikes the $T with a bolt of lightning from its talons.",
         "The enemy's Squall Eagle drops out of the storm clouds and seizes your $T.",
         0, 7, 7, 0, 4},
        // Rarity level 5.
        {"Thornspire Queen",  // 57
         "The stern ruler of a black castle on a needle-sharp peak, whose courtiers ask permission before they sneeze.  Her word is law, and her laws are very long.",
         "Thornspire Keep", "",
         "Your Thornspire Queen banishes the $T from her kingdom with a single wave of her hand.",
         "The enemy's Thornspire Queen orders your $T locked away in the tallest spire of her keep.",
         6, 5, 4, 2, 5},
        {"Tide Sovereign",  // 58
         "The king of the reef, who commands the tides with a scepter of sea glass.  When he is cross, the sea goes out and does not come back until he apologizes.",
         "Saltglass Reef", "",
         "Your Tide Sovereign raises his scepter, and the tide sweeps the $T far out to sea.",
         "The enemy's Tide Sovereign commands the sea to rise, and your $T is washed away.",
         2, 6, 5, 4, 5},
        {"Nimbus Whale",  // 59
         "A whale the size of an island that swims slowly across the sky.  The floating islands are said to be the barnacles on its back.",
         "Windloom Isles", "whale",
         "Your Nimbus Whale swallows the $T whole, along with a small cloud.",
         "The enemy's Nimbus Whale opens its vast mouth and swallows your $T, cloud and all.",
         4, 2, 6, 5, 5},
        {"Noonday Sphinx",  // 60
         "A golden sphinx that lies in the desert sun and asks every traveler a riddle.  Nobody has ever answered one, because the riddles are all about its lunch.",
         "Sunbaked Dunes", "sphinx",
         "Your Noonday Sphinx asks the $T a riddle, and the $T is still thinking about it.",
         "The enemy's Noonday Sphinx asks your $T a riddle it cannot answer, and that is the end of your $T.",
         5, 4, 2, 6, 5},
        {"Sunken Titan",  // 61
         "A giant of stone that sleeps at the bottom of the deepest sea, older than the sea itself.  When it turns over in its sleep, the whole world has a very strange tide.",
         "Veilwater Deep", "",
         "Your Sunken Titan rolls over in its sleep and crushes the $T without ever waking up.",
         "The enemy's Sunken Titan stirs in the depths and drags your $T down with it.",
         6, 2, 4, 5, 5},
        {"Great Cinderback",  // 62
         "The vast fire dragon the mountains are named after, whose scales glow like a forge.  Every volcano in the range is one of her chimneys.",
         "Cinderback Mountains", "cinderback",
         "Your Great Cinderback spreads her wings of flame, and the $T is reduced to a small pile of ash.",
         "The enemy's Great Cinderback breathes a river of fire across the board, and your $T is gone.",
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
